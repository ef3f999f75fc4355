// Routes of movement arrows: an arrow with a leaf at one end runs below the tree's
// leaves, one between two inner nodes dips just below the lower of them. Arrows of
// one kind whose horizontal spans overlap get different lanes (depths), and an
// arrow that spans another one runs below it, so that no two lie on each other.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tree/tree.h"

namespace gramarbor {

struct TArrowRoute {
    TMoveArrow Arrow;
    bool Below = true; // below the leaves, or between two inner nodes
    int32_t Lane = 1;  // 1 = nearest
};

// Lanes from the nodes' columns (X of the layout); the result is in the order of arrows.
std::vector<TArrowRoute> RouteArrows(const std::vector<TMoveArrow>& arrows);
// The same with the columns of another layout, such as a LaTeX package's.
std::vector<TArrowRoute> RouteArrows(const std::vector<TMoveArrow>& arrows,
                                     const std::function<int64_t(const TNode*)>& column);

} // namespace gramarbor
