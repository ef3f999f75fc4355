// Runs a search away from the user-interface thread, so that a long search can be
// cancelled from a progress window instead of freezing the window.
#pragma once

#include <functional>

#include "base/cancel_token.h"

class QWidget;

namespace gramarbor {

class TParseProgressDlg;

class ParseRunner {
public:
    explicit ParseRunner(QWidget* parent) : Parent(parent) {}
    ParseRunner(const ParseRunner&) = delete;
    ParseRunner& operator=(const ParseRunner&) = delete;

    // Runs search on a worker thread and returns its result when that thread has
    // ended. After ProgressDelayMs without a result a modal progress window with
    // Cancel appears; cancelling sets cancel, which the search polls, and the window
    // stays until the search has stopped. search must not show anything itself.
    bool Run(const std::function<bool()>& search, CancelToken& cancel);

    // True while a search runs.
    bool Busy() const { return Running; }
    // Asks the running search, if any, to stop (closing the program does).
    void RequestStop();

    int ProgressDelayMs = 500;
    // Called once the progress window is shown.
    std::function<void(TParseProgressDlg&)> OnProgressShown;

private:
    QWidget* Parent;
    bool Running = false;
    CancelToken* Current = nullptr;
};

} // namespace gramarbor
