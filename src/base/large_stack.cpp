// Running work on a thread with a stack of the size asked for.
#include "base/large_stack.h"

#include <exception>
#include <pthread.h>

namespace gramarbor {

namespace {

thread_local bool onLargeStack = false;

struct ThreadJob {
    const std::function<void()>* Work;
    std::exception_ptr Error;
};

void* RunJob(void* arg) {
    auto* job = static_cast<ThreadJob*>(arg);
    onLargeStack = true;
    try {
        (*job->Work)();
    } catch (...) {
        job->Error = std::current_exception();
    }
    return nullptr;
}

} // namespace

bool OnLargeStack() {
    return onLargeStack;
}

void RunWithLargeStack(const std::function<void()>& work, std::size_t stackBytes) {
    if (onLargeStack) {
        work();
        return;
    }
    ThreadJob job{&work, nullptr};
    pthread_attr_t attr;
    bool started = false;
    pthread_t thread{};
    if (pthread_attr_init(&attr) == 0) {
        if (pthread_attr_setstacksize(&attr, stackBytes) == 0)
            started = pthread_create(&thread, &attr, RunJob, &job) == 0;
        pthread_attr_destroy(&attr);
    }
    if (!started) {
        work();
        return;
    }
    pthread_join(thread, nullptr);
    if (job.Error) std::rethrow_exception(job.Error);
}

} // namespace gramarbor
