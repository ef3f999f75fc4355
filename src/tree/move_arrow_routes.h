// Routes of movement arrows: an arrow with a leaf at one end runs below the tree's
// leaves, one between two inner nodes dips just below the lower of them. Arrows of
// one kind whose horizontal spans overlap get different lanes (depths), and an
// arrow that spans another one runs below it, so that no two lie on each other.
#pragma once

#include <cstdint>
#include <vector>

#include "tree/tree.h"

namespace gramarbor {

struct TArrowRoute {
    TMoveArrow Arrow;
    bool Below = true; // below the leaves, or between two inner nodes
    int32_t Lane = 1;  // 1 = nearest
};

// Lanes from the nodes' columns; the result is in the order of arrows.
std::vector<TArrowRoute> RouteArrows(const std::vector<TMoveArrow>& arrows);

} // namespace gramarbor
