// The parse on a worker thread, with a progress dialog and cancellation.
#include "workbench/parse_runner.h"

#include <chrono>
#include <future>
#include <mutex>
#include <thread>

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QThread>

#include "base/cancel_token.h"
#include "parsing/parse_driver.h"

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

} // namespace

TParseOutcome ParseRunner::Run(TParser& store, const std::vector<std::string>& sentence,
                               uint8_t options, MessageSink& sink) {
    CollectingSink collected;
    MessageSink* const previousSink = store.Sink;
    store.Sink = &collected;
    CancelToken cancel;
    TParseRun run;
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
        QProgressDialog progress(QStringLiteral("Parsing\u2026 the search may take a long time."),
                                 QStringLiteral("Cancel"), 0, 0, Parent);
        progress.setWindowTitle(QStringLiteral("Parse CFG"));
        progress.setWindowModality(Qt::ApplicationModal);
        progress.setMinimumDuration(0);
        progress.setAutoClose(false);
        progress.setAutoReset(false);
        progress.show();
        if (OnProgressShown) OnProgressShown(progress);
        while (done.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
            if (progress.wasCanceled()) cancel.Cancel();
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        progress.hide();
    }
    worker.join();
    const bool accepted = done.get();
    store.Sink = previousSink;
    collected.PassOn(sink);
    return TParseOutcome{accepted, run.Cancelled, run.Refused, run.TreeCount.ToString(),
                         run.TreesTruncated};
}

} // namespace gramarbor
