// Movement arrows between the nodes of a tree: numbering, lookup and clean-up.
#include "tree/tree.h"

#include <atomic>
#include <unordered_map>
#include <unordered_set>

namespace gramarbor {

uint64_t NewNodeKey() {
    static std::atomic<uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

namespace {

// Visits the nodes below start in pre-order until visit returns false.
template <typename Node, typename Visit>
void PreOrder(Node* start, Visit visit) {
    if (!start) return;
    std::vector<Node*> pending{start};
    while (!pending.empty()) {
        Node* node = pending.back();
        pending.pop_back();
        if (!visit(node)) return;
        for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
            if (*it) pending.push_back(it->get());
    }
}

bool Numbered(const TNode* node) {
    return node->Name != "$";
}

} // namespace

int32_t TTree::NodeNumber(const TNode* node) const {
    int32_t count = 0, found = 0;
    if (!node || !Numbered(node)) return 0;
    PreOrder<const TNode>(Root.get(), [&](const TNode* n) {
        if (Numbered(n)) ++count;
        if (n == node) found = count;
        return found == 0;
    });
    return found;
}

TNode* TTree::NodeByNumber(int32_t number) const {
    TNode* found = nullptr;
    int32_t count = 0;
    if (number <= 0) return nullptr;
    PreOrder<TNode>(Root.get(), [&](TNode* n) {
        if (Numbered(n) && ++count == number) found = n;
        return !found;
    });
    return found;
}

int32_t TTree::NodeCount() const {
    int32_t count = 0;
    PreOrder<const TNode>(Root.get(), [&](const TNode* n) {
        if (Numbered(n)) ++count;
        return true;
    });
    return count;
}

const TNode* TTree::ArrowTarget(const TNode& node) const {
    if (node.MoveTarget == 0) return nullptr;
    const TNode* found = nullptr;
    PreOrder<const TNode>(Root.get(), [&](const TNode* n) {
        if (n->Key == node.MoveTarget && n != &node) found = n;
        return !found;
    });
    return found;
}

std::vector<TMoveArrow> TTree::MoveArrows(const TNode* start) const {
    std::vector<TMoveArrow> arrows;
    std::unordered_map<uint64_t, const TNode*> byKey;
    bool any = false;
    PreOrder<const TNode>(start, [&](const TNode* n) {
        byKey.emplace(n->Key, n);
        any = any || n->MoveTarget != 0;
        return true;
    });
    if (!any) return arrows;
    PreOrder<const TNode>(start, [&](const TNode* n) {
        if (n->MoveTarget == 0) return true;
        const auto it = byKey.find(n->MoveTarget);
        if (it != byKey.end() && it->second != n) arrows.push_back({n, it->second});
        return true;
    });
    return arrows;
}

int32_t TTree::DropDanglingArrows() {
    std::unordered_set<uint64_t> keys;
    bool any = false;
    PreOrder<const TNode>(Root.get(), [&](const TNode* n) {
        keys.insert(n->Key);
        any = any || n->MoveTarget != 0;
        return true;
    });
    int32_t dropped = 0;
    if (!any) return 0;
    PreOrder<TNode>(Root.get(), [&](TNode* n) {
        if (n->MoveTarget != 0 && (n->MoveTarget == n->Key || !keys.count(n->MoveTarget))) {
            n->MoveTarget = 0;
            ++dropped;
        }
        return true;
    });
    return dropped;
}

} // namespace gramarbor
