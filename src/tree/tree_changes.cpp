// Node shapes of a tree and the nodes of another tree that are not among them.
#include "tree/tree_changes.h"

#include <unordered_map>
#include <utility>

namespace gramarbor {

namespace {

struct TSpan {
    int64_t From = 0;
    int64_t To = 0;
};

// The leaves each node covers, found without recursion: a leaf covers one, an inner
// node those of its children.
std::unordered_map<const TNode*, TSpan> LeafSpans(const TNode* root) {
    std::unordered_map<const TNode*, TSpan> spans;
    if (!root) return spans;
    int64_t leaves = 0;
    std::vector<std::pair<const TNode*, std::size_t>> stack{{root, 0}};
    spans[root].From = 0;
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (node->Children.empty()) ++leaves;
        if (next < node->Children.size()) {
            const TNode* child = node->Children[next++].get();
            spans[child].From = leaves;
            stack.push_back({child, 0});
            continue;
        }
        spans[node].To = leaves;
        stack.pop_back();
    }
    return spans;
}

void AppendPart(std::string& shape, const TNode& node, const TSpan& span) {
    const auto length = static_cast<uint64_t>(node.Name.size());
    for (const uint64_t value :
         {length, static_cast<uint64_t>(span.From), static_cast<uint64_t>(span.To)})
        shape.append(reinterpret_cast<const char*>(&value), sizeof value);
    shape += node.Name;
}

// The node's name and leaves, then each child's.
std::string ShapeOf(const TNode& node, const std::unordered_map<const TNode*, TSpan>& spans) {
    std::string shape;
    AppendPart(shape, node, spans.at(&node));
    for (const TNodePtr& child : node.Children)
        AppendPart(shape, *child, spans.at(child.get()));
    return shape;
}

template <class Node, class Visit>
void PreOrder(Node* root, const Visit& visit) {
    std::vector<Node*> stack;
    if (root) stack.push_back(root);
    while (!stack.empty()) {
        Node* node = stack.back();
        stack.pop_back();
        visit(*node);
        for (auto child = node->Children.rbegin(); child != node->Children.rend(); ++child)
            stack.push_back(child->get());
    }
}

} // namespace

TNodeShapes::TNodeShapes(const TNode* root) {
    const auto spans = LeafSpans(root);
    PreOrder(root, [&](const TNode& node) { Shapes.insert(ShapeOf(node, spans)); });
}

std::vector<TNode*> TNodeShapes::NodesNotIn(TNode* root) const {
    std::vector<TNode*> changed;
    const auto spans = LeafSpans(root);
    PreOrder(root, [&](TNode& node) {
        if (!Shapes.count(ShapeOf(node, spans))) changed.push_back(&node);
    });
    return changed;
}

} // namespace gramarbor
