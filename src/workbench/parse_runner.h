// Runs a parse away from the user-interface thread, so that a long search can be
// cancelled from a progress dialog instead of freezing the window.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"

class QProgressDialog;
class QWidget;

namespace gramarbor {

struct TParseOutcome {
    bool Accepted = false;
    bool Cancelled = false;
    // The parse never ran (its message was shown): no verdict.
    bool Refused = false;
    // The exact number of parse trees in decimal (when trees were asked for), and
    // whether the store keeps fewer of them.
    std::string TreeCount;
    bool TreesTruncated = false;
};

class ParseRunner {
public:
    explicit ParseRunner(QWidget* parent) : Parent(parent) {}

    // Parses on a worker thread and waits for it. After ProgressDelayMs without a
    // result a modal progress dialog with Cancel appears; cancelling stops the search.
    // The core's messages are collected while the worker runs and passed to sink, in
    // order, when it has ended, so that message boxes are only shown here. The store's
    // sink is restored afterwards.
    TParseOutcome Run(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                      MessageSink& sink);

    int ProgressDelayMs = 500;
    // The parse itself: ParseSentence unless replaced (tests use a search that only
    // ends when cancelled).
    std::function<bool(TParser&, const std::vector<std::string>&, uint8_t, TParseRun&)> Parse;
    // Called once the progress dialog is shown (tests use it to press Cancel).
    std::function<void(QProgressDialog&)> OnProgressShown;

private:
    QWidget* Parent;
};

} // namespace gramarbor
