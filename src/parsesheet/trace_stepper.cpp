// The partial analysis of a trace line, rebuilt and drawn.
#include "parsesheet/trace_stepper.h"

#include <algorithm>
#include <climits>
#include <new>
#include <vector>

#include "tree/canvas_measurer.h"

namespace gramarbor {

namespace {

// Drawn as the parse trees are, closer together.
constexpr int32_t StepHDist = 48;
constexpr int32_t StepVDist = 56;
constexpr int32_t StepMargin = 4;

// Gives the nodes of the tree their marks, in pre-order from marks[next].
void ApplyMarks(TNode* root, const std::vector<uint8_t>& marks, std::size_t& next) {
    std::vector<TNode*> stack{root};
    while (!stack.empty()) {
        TNode* node = stack.back();
        stack.pop_back();
        const uint8_t mark = next < marks.size() ? marks[next] : 0;
        ++next;
        if (mark & nmPending) {
            node->Attr.FontStyle |= fsItalic;
            node->TextColor = PendingNodeColor;
        }
        if (mark & nmMatched) node->Attr.FontStyle |= fsBold;
        if (mark & nmStep) node->TextColor = StepNodeColor;
        for (auto child = node->Children.rbegin(); child != node->Children.rend(); ++child)
            if (*child) stack.push_back(child->get());
    }
}

} // namespace

TTraceStepper::TTraceStepper(TextMeasurer& measurer) : Measurer(measurer), Tree(true, Quiet) {
    TNodeAttr defaults = DefaultNodeAttr();
    defaults.Flags = naCenter;
    Tree.SetParams(StepHDist, StepVDist, "Arial", toTidy, defaults);
}

void TTraceStepper::SetHistory(TTraceHistory history) {
    Clear();
    History = std::move(history);
}

void TTraceStepper::Clear() {
    History.Clear();
    Shown = {};
    Drawing.Clear();
    Reason.clear();
    Tree.Clear();
}

bool TTraceStepper::ShowLine(std::size_t line) {
    Drawing.Clear();
    Reason.clear();
    try {
        Shown = BuildPartialAnalysis(History, line);
        if (!Shown.Built) {
            Reason = Shown.Message;
            return false;
        }
        return Draw();
    } catch (const std::bad_alloc&) {
        Drawing.Clear();
        Reason = MsgParserMemory;
        return false;
    }
}

// Each tree of the analysis is drawn on its own, and the pictures are put side by
// side into one, their bottoms in line so that the words stand on one line.
bool TTraceStepper::Draw() {
    MeasuringCanvas screen(Measurer);
    std::vector<Picture> trees;
    std::size_t next = 0;
    int32_t height = 0;
    for (const std::string& text : Shown.Trees) {
        Quiet.Clear();
        Tree.Clear();
        bool drawn = Tree.StrToTree(text);
        if (drawn) {
            ApplyMarks(Tree.GetRoot(), Shown.Marks, next);
            drawn = Tree.Display(screen, StepMargin, StepMargin, Tree.GetRoot(), true, false,
                                 Tree.Metafile);
        }
        if (!drawn) {
            Reason = Quiet.Last();
            Tree.ResetError();
            return false;
        }
        trees.push_back(Tree.Metafile);
        height = std::max(height, Tree.Metafile.Height);
    }
    PictureRecorder into(Drawing, Measurer);
    int64_t x = 0;
    for (const Picture& tree : trees) {
        tree.Replay(into, static_cast<int32_t>(std::min<int64_t>(x, INT32_MAX)),
                    height - tree.Height);
        x += tree.Width;
    }
    Drawing.Width = static_cast<int32_t>(std::min<int64_t>(x, INT32_MAX));
    Drawing.Height = height;
    return true;
}

} // namespace gramarbor
