#include "parsing/deep_search.h"

#include <exception>
#include <pthread.h>

#include "grammar/grammar_store.h"

namespace gramarbor {

namespace {

thread_local bool OnDeepStack = false;

struct Job {
    const std::function<void()>* Work;
    std::exception_ptr Error;
};

void* RunJob(void* arg) {
    auto* job = static_cast<Job*>(arg);
    OnDeepStack = true;
    try {
        (*job->Work)();
    } catch (...) {
        job->Error = std::current_exception();
    }
    return nullptr;
}

} // namespace

void RunDeepSearch(const std::function<void()>& work) {
    if (OnDeepStack) {
        work();
        return;
    }
    Job job{&work, nullptr};
    pthread_attr_t attr;
    bool started = false;
    pthread_t thread{};
    if (pthread_attr_init(&attr) == 0) {
        if (pthread_attr_setstacksize(&attr, SearchStackBytes) == 0)
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

void RunDeepSearch(TParser& store, const std::function<void()>& work) {
    if (OnDeepStack) {
        work();
        return;
    }
    MessageSink* caller = store.Sink;
    RecordingSink collected;
    store.Sink = &collected;
    const auto passOn = [&] {
        store.Sink = caller;
        for (const auto& entry : collected.Entries())
            caller->Show(entry.Kind, entry.Text);
    };
    try {
        RunDeepSearch(work);
    } catch (...) {
        passOn();
        throw;
    }
    passOn();
}

} // namespace gramarbor
