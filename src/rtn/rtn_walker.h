// The walk the network sheet shows: the walk of the parse tree through the current
// network, the step shown, and the mark that step puts on the network's picture.
// The walk ends when the network changes under it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "rtn/rtn_walk.h"
#include "rtn/rtn_workspace.h"
#include "tree/tree.h"

namespace gramarbor {

inline const std::string MsgWalkNeedsTree = "Please parse a sentence with parse trees first.";
inline const std::string MsgWalkAccepted = "The network accepts the sentence.";

class TRtnWalker {
public:
    TRtnWalker(TRtnWorkspace& workspace, MessageSink& sink);

    // "Walk": walks the tree under root through the workspace's network and shows the
    // first step. Refused with a message when there is no network or no tree.
    bool Start(const TNode* root, bool caseSensitive, const TWalkLimits& limits = {});
    // Ends the walk and takes its mark off the picture.
    void End();
    bool Active() const { return Running; }
    // Ends the walk when the network changed since it started; true when it did.
    bool EndIfOutdated();

    // "Step back" (-1) and "Step forward" (+1); false when no such step exists.
    bool StepBy(int delta);
    std::size_t Position() const { return Shown; }
    std::size_t StepCount() const { return Result.Steps.size(); }
    bool AtFirst() const { return Shown == 0; }
    bool AtLast() const { return Shown + 1 >= Result.Steps.size(); }
    const TRtnWalk& Walk() const { return Result; }

    // What the sheet shows of the step: "Step 3 of 12: S0 -> S1: push NP", the stack
    // of net names (outermost first; of more than maxNames the innermost ones after
    // "..."), the words consumed, and the outcome: why the walk stops short (from the
    // first step on), or MsgWalkAccepted at the last step.
    std::string StepCaption() const;
    std::vector<std::string> Stack(std::size_t maxNames = 12) const;
    std::string Words() const;
    std::string Outcome() const;
    // The part of the picture to keep in view: the band of the net walked, from the
    // net's name (at the start) or the arc's first node to its last.
    TRect ShownArea() const;

private:
    // Running on the network it was made for (its texts refer to that network).
    bool Current() const;
    void Mark();

    TRtnWorkspace& Workspace;
    MessageSink& Sink;
    TRtnWalk Result;
    std::size_t Shown = 0;
    bool Running = false;
    uint64_t Revision = 0;
};

} // namespace gramarbor
