// Where one tree differs from another, node by node: a node of the new tree is
// unchanged when the other tree has a node of the same name over the same leaves
// whose children have the same names over the same leaves. Leaves are counted from
// the left, so two parse trees of one sentence compare their phrases.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "tree/tree.h"

namespace gramarbor {

class TNodeShapes {
public:
    TNodeShapes() = default;
    // The shapes of every node under root (none for no root).
    explicit TNodeShapes(const TNode* root);

    bool Empty() const { return Shapes.empty(); }
    // The nodes under root, in pre-order, whose shape is not among these.
    std::vector<TNode*> NodesNotIn(TNode* root) const;

private:
    std::unordered_set<std::string> Shapes;
};

} // namespace gramarbor
