// A search on a worker thread, with a progress window and cancellation.
#include "workbench/parse_runner.h"

#include <chrono>
#include <future>
#include <thread>

#include <QApplication>

#include "workbench/parse_progress_dlg.h"

namespace gramarbor {

namespace {

// Marks the runner busy for the lifetime of one run.
class RunningFlag {
public:
    RunningFlag(bool& running, CancelToken*& current, CancelToken& token)
        : Running(running), Current(current) {
        Running = true;
        Current = &token;
    }
    ~RunningFlag() {
        Current = nullptr;
        Running = false;
    }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& Running;
    CancelToken*& Current;
};

} // namespace

void ParseRunner::RequestStop() {
    if (Current) Current->Cancel();
}

bool ParseRunner::Run(const std::function<bool()>& search, CancelToken& cancel) {
    if (Running) return false;
    const RunningFlag running(Running, Current, cancel);
    std::packaged_task<bool()> task(search);
    std::future<bool> done = task.get_future();
    std::thread worker(std::move(task));

    // Short searches end before anything is shown; input stays blocked meanwhile.
    if (done.wait_for(std::chrono::milliseconds(ProgressDelayMs)) != std::future_status::ready) {
        TParseProgressDlg progress(Parent);
        QObject::connect(&progress, &TParseProgressDlg::CancelClicked,
                         [&cancel] { cancel.Cancel(); });
        progress.show();
        if (OnProgressShown) OnProgressShown(progress);
        // The modal window keeps every other window from taking input until the
        // worker has ended, cancelled or not.
        while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        progress.Finish();
    }
    worker.join();
    return done.get();
}

} // namespace gramarbor
