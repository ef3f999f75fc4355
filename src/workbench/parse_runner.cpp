// The parse on a worker thread, with a progress window and cancellation.
#include "workbench/parse_runner.h"

#include <chrono>
#include <future>
#include <mutex>
#include <thread>

#include <QApplication>

#include "parsing/parse_driver.h"
#include "workbench/parse_progress_dlg.h"

namespace gramarbor {

namespace {

// Collects messages from the worker thread.
class CollectingSink final : public MessageSink {
public:
    void Show(MessageKind kind, const std::string& text) override {
        std::lock_guard<std::mutex> lock(Guard);
        Entries.push_back({kind, text});
    }
    void PassOn(MessageSink& sink) {
        std::vector<RecordingSink::Entry> taken;
        {
            std::lock_guard<std::mutex> lock(Guard);
            taken.swap(Entries);
        }
        for (const auto& entry : taken)
            sink.Show(entry.Kind, entry.Text);
    }

private:
    std::mutex Guard;
    std::vector<RecordingSink::Entry> Entries;
};

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

TParseOutcome ParseRunner::Run(TParser& store, const std::vector<std::string>& sentence,
                               uint8_t options, MessageSink& sink) {
    if (Running) {
        TParseOutcome busy;
        busy.Busy = true;
        return busy;
    }
    CancelToken cancel;
    const RunningFlag running(Running, Current, cancel);
    // The parse reports from other threads: its messages are shown once it has ended.
    CollectingSink collected;
    TParseRun run;
    run.Sink = &collected;
    run.Cancel = &cancel;

    std::packaged_task<bool()> task([&] {
        try {
            return Parse ? Parse(store, sentence, options, run)
                         : ParseSentence(store, sentence, options, run);
        } catch (const std::bad_alloc&) {
            collected.Error(MsgParserMemory);
            return false;
        }
    });
    std::future<bool> done = task.get_future();
    std::thread worker(std::move(task));

    // Short parses end before anything is shown; input stays blocked meanwhile.
    if (done.wait_for(std::chrono::milliseconds(ProgressDelayMs)) != std::future_status::ready) {
        TParseProgressDlg progress(Parent);
        QObject::connect(&progress, &TParseProgressDlg::CancelClicked, [&cancel] { cancel.Cancel(); });
        progress.show();
        if (OnProgressShown) OnProgressShown(progress);
        // The modal window keeps every other window from taking input until the
        // worker has ended, cancelled or not.
        while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        progress.Finish();
    }
    worker.join();
    const bool accepted = done.get();
    collected.PassOn(sink);
    TParseOutcome outcome;
    outcome.Accepted = accepted;
    outcome.Cancelled = run.Cancelled;
    outcome.Refused = run.Refused;
    outcome.TreeCount = run.TreeCount.ToString();
    outcome.TreesTruncated = run.TreesTruncated;
    return outcome;
}

} // namespace gramarbor
