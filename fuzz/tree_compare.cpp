// Structural comparison of trees for the tree fuzz targets.
#include "tree_compare.h"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

#include "tree/placeholder_chain.h"

namespace gramarbor::fuzz {

namespace {

// One placeholder of a chain node (Level > 0 only for chains), or a whole node.
struct Shown {
    const TNode* Node;
    int32_t Level;
};

// The nodes below one as text and files show them.
std::vector<Shown> ShownChildren(Shown shown) {
    if (shown.Level + 1 < shown.Node->Levels) return {{shown.Node, shown.Level + 1}};
    std::vector<Shown> children;
    for (const TNodePtr& child : shown.Node->Children)
        children.push_back({child.get(), 0});
    return children;
}

} // namespace

bool SameTree(const TNode* a, const TNode* b, bool attributes) {
    if (!a || !b) return a == b;
    std::vector<std::pair<Shown, Shown>> pending{{{a, 0}, {b, 0}}};
    while (!pending.empty()) {
        auto [x, y] = pending.back();
        pending.pop_back();
        if (!x.Node || !y.Node) {
            if (x.Node != y.Node) return false;
            continue;
        }
        const std::vector<Shown> xs = ShownChildren(x), ys = ShownChildren(y);
        if (x.Node->Name != y.Node->Name || xs.size() != ys.size()) return false;
        const TNode& n = *x.Node;
        const TNode& m = *y.Node;
        if (attributes && !(n.Attr == m.Attr && n.Cont == m.Cont && n.X == m.X &&
                            n.Y + x.Level == m.Y + y.Level &&
                            PlaceholderID(n, x.Level) == PlaceholderID(m, y.Level) &&
                            n.Rect.Left == m.Rect.Left && n.Rect.Top == m.Rect.Top &&
                            n.Rect.Right == m.Rect.Right && n.Rect.Bottom == m.Rect.Bottom))
            return false;
        for (std::size_t i = 0; i < xs.size(); ++i)
            pending.emplace_back(xs[i], ys[i]);
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
        // A chain node counts with each of its placeholders.
        const int last = depth + node->Levels - 1;
        deepest = std::max(deepest, last);
        if (node->Children.size() > 4) childrenOk = false;
        for (const TNodePtr& child : node->Children)
            pending.emplace_back(child.get(), last + 1);
    }
    return deepest;
}

std::vector<std::pair<int, int>> ArrowPositions(const TTree& tree) {
    std::unordered_map<const TNode*, int> position;
    std::vector<const TNode*> pending{tree.GetRoot()};
    while (!pending.empty() && pending.back()) {
        const TNode* node = pending.back();
        pending.pop_back();
        position.emplace(node, static_cast<int>(position.size()));
        for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
            pending.push_back(it->get());
    }
    std::vector<std::pair<int, int>> pairs;
    for (const TMoveArrow& arrow : tree.MoveArrows(tree.GetRoot()))
        pairs.push_back({position[arrow.From], position[arrow.To]});
    return pairs;
}

bool NamesSurviveText(const TNode* root) {
    std::vector<const TNode*> pending{root};
    while (!pending.empty()) {
        const TNode* n = pending.back();
        pending.pop_back();
        if (n->Name.find('"') != std::string::npos) return false;
        for (const TNodePtr& child : n->Children)
            pending.push_back(child.get());
    }
    return true;
}

} // namespace gramarbor::fuzz
