// Runs a parse away from the user-interface thread, so that a long search can be
// cancelled from a progress window instead of freezing the window.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/cancel_token.h"
#include "base/message_sink.h"
#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"

class QWidget;

namespace gramarbor {

class TParseProgressDlg;

struct TParseOutcome {
    bool Accepted = false;
    bool Cancelled = false;
    // The parse never ran (its message was shown): no verdict.
    bool Refused = false;
    // Another parse was still running: this one was not started at all.
    bool Busy = false;
    // The exact number of parse trees in decimal (when trees were asked for), and
    // whether the store keeps fewer of them.
    std::string TreeCount;
    bool TreesTruncated = false;
};

class ParseRunner {
public:
    explicit ParseRunner(QWidget* parent) : Parent(parent) {}
    ParseRunner(const ParseRunner&) = delete;
    ParseRunner& operator=(const ParseRunner&) = delete;

    // Parses on a worker thread and returns when that thread has ended. After
    // ProgressDelayMs without a result a modal progress window with Cancel appears;
    // cancelling stops the search, and the window stays until it has stopped. The
    // core's messages are collected while the worker runs and passed to sink, in
    // order, when it has ended, so that message boxes are only shown here. The
    // store's sink is restored afterwards. While a parse runs, a second call returns
    // at once with Busy set.
    TParseOutcome Run(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                      MessageSink& sink);

    // True while a parse runs.
    bool Busy() const { return Running; }
    // Asks the running parse, if any, to stop (closing the program does).
    void RequestStop();

    int ProgressDelayMs = 500;
    // The parse itself: ParseSentence unless replaced (tests use a search that only
    // ends when cancelled).
    std::function<bool(TParser&, const std::vector<std::string>&, uint8_t, TParseRun&)> Parse;
    // Called once the progress window is shown.
    std::function<void(TParseProgressDlg&)> OnProgressShown;

private:
    QWidget* Parent;
    bool Running = false;
    CancelToken* Current = nullptr;
};

} // namespace gramarbor
