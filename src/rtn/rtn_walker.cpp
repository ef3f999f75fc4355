// The walk shown on the network sheet.
#include "rtn/rtn_walker.h"

#include <algorithm>
#include <new>

#include "rtn/rtn_layout.h"
#include "text/text_utils.h"

namespace gramarbor {

TRtnWalker::TRtnWalker(TRtnWorkspace& workspace, MessageSink& sink)
    : Workspace(workspace), Sink(sink) {
}

bool TRtnWalker::Start(const TNode* root, bool caseSensitive, const TWalkLimits& limits) {
    End();
    if (!Workspace.HasRtn()) {
        Sink.Error(MsgDefineRtnFirst);
        return false;
    }
    if (!root) {
        Sink.Error(MsgWalkNeedsTree);
        return false;
    }
    try {
        Result = WalkTree(*Workspace.Rtn, root, caseSensitive, limits);
    } catch (const std::bad_alloc&) {
        Result = {};
        Sink.Error(MsgOutOfMemory);
        return false;
    }
    if (Result.Steps.empty()) {
        // Not even the first network was found: there is nothing to step through.
        Sink.Error(Result.Message);
        Result = {};
        return false;
    }
    Running = true;
    Shown = 0;
    Revision = Workspace.Revision;
    Mark();
    return true;
}

void TRtnWalker::End() {
    if (!Running) return;
    Running = false;
    Result = {};
    Shown = 0;
    if (Workspace.Revision == Revision) Workspace.SetHighlight({});
}

bool TRtnWalker::EndIfOutdated() {
    if (!Running || Workspace.Revision == Revision) return false;
    End();
    return true;
}

bool TRtnWalker::StepBy(int delta) {
    if (!Running || EndIfOutdated()) return false;
    const auto to = static_cast<long long>(Shown) + delta;
    if (to < 0 || to >= static_cast<long long>(Result.Steps.size())) return false;
    Shown = static_cast<std::size_t>(to);
    Mark();
    return true;
}

bool TRtnWalker::Current() const {
    return Running && Workspace.Revision == Revision && Workspace.HasRtn();
}

void TRtnWalker::Mark() {
    const TWalkStep& step = Result.Steps[Shown];
    TArcHighlight mark{static_cast<int64_t>(step.Net), -1, -1};
    if (step.Kind != TWalkStepKind::wkStart) {
        mark.Node = static_cast<int64_t>(step.Node);
        mark.Condition = static_cast<int64_t>(step.Condition);
    }
    Workspace.SetHighlight(mark);
}

std::string TRtnWalker::StepCaption() const {
    if (!Current()) return {};
    return "Step " + IntToStr(static_cast<long long>(Shown) + 1) + " of " +
           IntToStr(static_cast<long long>(Result.Steps.size())) + ": " +
           WalkStepText(*Workspace.Rtn, Result, Shown);
}

std::vector<std::string> TRtnWalker::Stack(std::size_t maxNames) const {
    if (!Current()) return {};
    std::vector<std::string> names = WalkStackNames(*Workspace.Rtn, Result, Shown);
    if (names.size() > maxNames && maxNames > 0) {
        names.erase(names.begin(), names.end() - static_cast<std::ptrdiff_t>(maxNames));
        names.insert(names.begin(), "...");
    }
    return names;
}

std::string TRtnWalker::Words() const {
    if (!Current()) return {};
    return WalkWordsText(Result, Shown);
}

std::string TRtnWalker::Outcome() const {
    if (!Current()) return {};
    if (!Result.Complete) return Result.Message;
    return AtLast() ? MsgWalkAccepted : std::string();
}

TRect TRtnWalker::ShownArea() const {
    if (!Current()) return {};
    const TWalkStep& step = Result.Steps[Shown];
    const TRtnMetrics& m = Workspace.Metrics;
    const int32_t top = m.RowY(static_cast<int32_t>(step.Net)) - LineHeight / 2;
    int32_t left = 0;
    int32_t right = m.NodeX(0) + m.NodeRadius;
    const TRTNLine& net = (*Workspace.Rtn)[step.Net];
    if (step.Kind != TWalkStepKind::wkStart) {
        const TRTNNode& cond = net.Nodes[step.Node][step.Condition];
        const int32_t to = cond.Dst == PopDst ? cond.Src + 1 : cond.Dst;
        left = m.NodeX(std::min<int32_t>(cond.Src, to)) - m.NodeRadius;
        right = m.NodeX(std::max<int32_t>(cond.Src, to)) + m.NodeRadius;
    }
    return {left, top, right, top + LineHeight};
}

} // namespace gramarbor
