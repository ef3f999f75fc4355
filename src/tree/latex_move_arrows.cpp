#include "tree/latex_move_arrows.h"

#include <algorithm>
#include <utility>

namespace gramarbor {

namespace {

// Points between two lanes, and between the ends of arrows that share a node.
constexpr int64_t LaneGapPt = 8;
constexpr int ShiftStepPt = 4;

// A node's anchor in TikZ, shifted sideways by shift points.
std::string Anchor(int number, const char* side, int shift) {
    const std::string name = "n" + std::to_string(number) + "." + side;
    return shift == 0 ? name : "[xshift=" + std::to_string(shift) + "pt]" + name;
}

} // namespace

TLatexArrowPlan PlanLatexArrows(const TTree& tree) {
    TLatexArrowPlan plan;
    const TNode* root = tree.GetRoot();
    const std::vector<TMoveArrow> arrows = tree.MoveArrows(root);
    if (arrows.empty()) return plan;
    for (const TMoveArrow& arrow : arrows) {
        plan.Numbers.emplace(arrow.From, 0);
        plan.Numbers.emplace(arrow.To, 0);
    }
    // Columns as the LaTeX packages place the nodes: leaves side by side in order, a
    // parent over the middle of its leaves (first plus last leaf, in half leaves).
    std::unordered_map<const TNode*, int64_t> columns;
    struct Frame {
        const TNode* Node;
        std::size_t Next;
        int64_t FirstLeaf;
    };
    std::vector<Frame> stack;
    int number = 0;
    int64_t leaves = 0;
    const auto enter = [&](const TNode* node) {
        number += std::max(node->Levels, 1);
        if (const auto it = plan.Numbers.find(node); it != plan.Numbers.end()) it->second = number;
        stack.push_back({node, 0, leaves});
        if (node->Children.empty()) ++leaves;
    };
    enter(root);
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.Next < frame.Node->Children.size()) {
            const TNode* child = frame.Node->Children[frame.Next++].get();
            if (child) enter(child);
            continue;
        }
        if (plan.Numbers.count(frame.Node)) columns[frame.Node] = frame.FirstLeaf + leaves - 1;
        stack.pop_back();
    }
    const auto column = [&](const TNode* node) { return columns.at(node); };
    plan.Routes = RouteArrows(arrows, column);

    // Ends at one node side by side, ordered by where their other ends are.
    std::unordered_map<const TNode*, std::vector<std::pair<int64_t, std::size_t>>> ends;
    for (std::size_t i = 0; i < arrows.size(); ++i) {
        plan.BySource.emplace(arrows[i].From, i);
        ends[arrows[i].From].push_back({column(arrows[i].To), 2 * i});
        ends[arrows[i].To].push_back({column(arrows[i].From), 2 * i + 1});
    }
    plan.Shifts.assign(2 * arrows.size(), 0);
    for (auto& [node, list] : ends) {
        std::sort(list.begin(), list.end());
        const int count = static_cast<int>(list.size());
        for (int k = 0; k < count; ++k)
            plan.Shifts[list[k].second] = (2 * k - count + 1) * ShiftStepPt / 2;
    }
    plan.Leftward.resize(arrows.size());
    for (std::size_t i = 0; i < arrows.size(); ++i)
        plan.Leftward[i] = column(arrows[i].To) < column(arrows[i].From);
    return plan;
}

void AddLatexArrowCommands(const TTree& tree, const TLatexArrowPlan& plan, const TNode& node,
                           int number, std::vector<std::string>& commands) {
    if (plan.Routes.empty()) return;
    // The lanes hang from the tree's lowest point, taken before any arrow is drawn.
    if (number == 1)
        commands.push_back("\\coordinate (treebottom) at (current bounding box.south);");
    const auto found = plan.BySource.find(&node);
    if (found == plan.BySource.end()) return;
    const std::size_t i = found->second;
    const TArrowRoute& route = plan.Routes[i];
    const int from = plan.Numbers.at(route.Arrow.From), to = plan.Numbers.at(route.Arrow.To);
    if (number != from) return; // a chain's other placeholders
    const std::string draw =
        (tree.Options & toBoldLines) ? "\\draw[->,thick] let " : "\\draw[->] let ";
    if (route.Below) {
        // Down from the source to the lane, along it, and up to the target: two
        // curves that meet level on the lane, halfway between the ends.
        const std::string lane = "\\y3-" + std::to_string(route.Lane * LaneGapPt) + "pt";
        commands.push_back(draw + "\\p1=(" + Anchor(from, "south", plan.Shifts[2 * i]) +
                           "), \\p2=(" + Anchor(to, "south", plan.Shifts[2 * i + 1]) +
                           "), \\p3=(treebottom) in (\\p1) .. controls (\\x1," + lane +
                           ") and ({(3*\\x1+\\x2)/4}," + lane + ") .. ({(\\x1+\\x2)/2}," + lane +
                           ") .. controls ({(\\x1+3*\\x2)/4}," + lane + ") and (\\x2," + lane +
                           ") .. (\\p2);");
        return;
    }
    // Between two inner nodes: from the source's side facing the target to the
    // target's side facing the source, dipping below the lower of the two.
    const bool leftward = plan.Leftward[i];
    const std::string dip =
        "{min(\\y1,\\y2)-" + std::to_string((route.Lane + 1) * LaneGapPt) + "pt}";
    commands.push_back(draw + "\\p1=(" + Anchor(from, leftward ? "west" : "east", 0) + "), \\p2=(" +
                       Anchor(to, leftward ? "east" : "west", 0) +
                       ") in (\\p1) .. controls (\\x1," + dip + ") and (\\x2," + dip +
                       ") .. (\\p2);");
}

} // namespace gramarbor
