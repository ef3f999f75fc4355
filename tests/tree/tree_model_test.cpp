// The shapes compared in deep trees (the error latch, parameters, new nodes, copies,
// search, bracket text, deep nesting and ordinary comparisons are tree scripts).
#include <gtest/gtest.h>

#include "tree/tree.h"
#include "tree/tree_changes.h"

namespace gramarbor {
namespace {

TEST(TreeChanges, DeepTreesAreWalkedWithoutRecursion) {
    auto chain = [](const std::string& leaf) {
        TNodePtr root = std::make_unique<TNode>();
        TNode* node = root.get();
        for (int level = 0; level < 100000; ++level) {
            node->Name = "X";
            node->Children.push_back(std::make_unique<TNode>());
            node = node->Children.back().get();
        }
        node->Name = leaf;
        return root;
    };
    const TNodePtr before = chain("a");
    const TNodePtr after = chain("b");
    const auto changed = TNodeShapes(before.get()).NodesNotIn(after.get());
    ASSERT_EQ(changed.size(), 2u); // the leaf and the node above it
    EXPECT_EQ(changed.back()->Name, "b");
}

} // namespace
} // namespace gramarbor
