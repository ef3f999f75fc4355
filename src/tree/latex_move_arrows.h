// Movement arrows in the LaTeX code: TikZ curves drawn after the tree, routed as
// in the picture (below the leaves, or between two inner nodes) in lanes that keep
// several arrows apart.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "tree/move_arrow_routes.h"
#include "tree/tree.h"

namespace gramarbor {

struct TLatexArrowPlan {
    std::vector<TArrowRoute> Routes;
    // Route of the arrow leaving a node.
    std::unordered_map<const TNode*, std::size_t> BySource;
    // Number of each arrow end in the code: its node's, or the lowest placeholder's
    // of a chain.
    std::unordered_map<const TNode*, int> Numbers;
    // Horizontal shift in points of the source and target end of each route, so that
    // arrows at one node leave or reach it side by side.
    std::vector<int> Shifts;
    // Whether each route's target lies left of its source.
    std::vector<bool> Leftward;
};

// The arrows of the whole tree, with the nodes numbered n1, n2, ... in pre-order as
// the LaTeX code writes them (each placeholder of a chain counted).
TLatexArrowPlan PlanLatexArrows(const TTree& tree);

// The TikZ commands the arrow leaving the node numbered number adds after the tree;
// the root (number 1) first marks the tree's lowest point, which the lanes hang from.
void AddLatexArrowCommands(const TTree& tree, const TLatexArrowPlan& plan, const TNode& node,
                           int number, std::vector<std::string>& commands);

} // namespace gramarbor
