// Chains of plane-tree placeholders kept as one node.
#include "tree/placeholder_chain.h"

#include <limits>
#include <utility>
#include <vector>

namespace gramarbor {

namespace {

constexpr int64_t MaxSerial = std::numeric_limits<int32_t>::max();

} // namespace

int32_t NextSerial(int32_t id) {
    return id == MaxSerial ? 1 : id + 1;
}

int32_t SerialAfter(int32_t id, int64_t count) {
    if (count <= 0) return id;
    const int64_t toMax = MaxSerial - id;
    if (count <= toMax) return static_cast<int32_t>(id + count);
    // Past the largest number the count starts again at 1.
    return static_cast<int32_t>(1 + (count - toMax - 1) % MaxSerial);
}

int32_t PlaceholderID(const TNode& node, int64_t index) {
    return node.SerialIDs ? SerialAfter(node.ID, index) : node.ID;
}

bool IsPlainPlaceholder(const TNode& node) {
    return node.Name == "$" && node.Attr == TNodeAttr{} && node.Cont.empty() &&
           node.Rect.Left == -1 && node.Rect.Top == -1 && node.Rect.Right == -1 &&
           node.Rect.Bottom == -1;
}

bool ContinuesChain(const TNode& chain, const TNode& next) {
    if (!IsPlainPlaceholder(chain) || !IsPlainPlaceholder(next) || next.Levels != 1 ||
        next.X != chain.X || int64_t(next.Y) != int64_t(chain.Y) + chain.Levels)
        return false;
    if (chain.Levels == 1) return next.ID == chain.ID || next.ID == NextSerial(chain.ID);
    return next.ID == PlaceholderID(chain, chain.Levels);
}

void ExtendChain(TNode& chain, TNode& next) {
    if (chain.Levels == 1) chain.SerialIDs = next.ID != chain.ID;
    ++chain.Levels;
    // next may be the chain's child: its children are taken before it is freed.
    std::vector<TNodePtr> below = std::move(next.Children);
    next.Children.clear();
    chain.Children = std::move(below);
}

} // namespace gramarbor
