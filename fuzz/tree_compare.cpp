// Structural comparison of trees for the tree fuzz targets.
#include "tree_compare.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace gramarbor::fuzz {

bool SameTree(const TNode* a, const TNode* b, bool attributes) {
    std::vector<std::pair<const TNode*, const TNode*>> pending{{a, b}};
    while (!pending.empty()) {
        auto [x, y] = pending.back();
        pending.pop_back();
        if (!x || !y) {
            if (x != y) return false;
            continue;
        }
        if (x->Name != y->Name || x->Children.size() != y->Children.size()) return false;
        if (attributes &&
            !(x->Attr == y->Attr && x->Cont == y->Cont && x->X == y->X && x->Y == y->Y &&
              x->ID == y->ID && x->Rect.Left == y->Rect.Left && x->Rect.Top == y->Rect.Top &&
              x->Rect.Right == y->Rect.Right && x->Rect.Bottom == y->Rect.Bottom))
            return false;
        for (std::size_t i = 0; i < x->Children.size(); ++i)
            pending.emplace_back(x->Children[i].get(), y->Children[i].get());
    }
    return true;
}

int Depth(const TNode* root, bool& childrenOk) {
    childrenOk = true;
    int deepest = 0;
    std::vector<std::pair<const TNode*, int>> pending{{root, 1}};
    while (!pending.empty()) {
        auto [node, depth] = pending.back();
        pending.pop_back();
        if (!node) continue;
        deepest = std::max(deepest, depth);
        if (node->Children.size() > 4) childrenOk = false;
        for (const TNodePtr& child : node->Children)
            pending.emplace_back(child.get(), depth + 1);
    }
    return deepest;
}

} // namespace gramarbor::fuzz
