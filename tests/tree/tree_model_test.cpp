// The tree model: copies of no tree, deep nesting and the shapes compared in deep
// trees (the error latch, parameters, new nodes, search, bracket text and ordinary
// comparisons live in tests/data/tree_scripts).
#include <gtest/gtest.h>

#include "tree/tree.h"
#include "tree/tree_changes.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using TreeNodes = testing::TreeTest;

// Copies of trees are among the tree scripts.
TEST_F(TreeNodes, CopyOfNoTreeFailsAndEmptiesTheTarget) {
    TNodePtr none = tree.CreateNode("old");
    EXPECT_FALSE(tree.CopyTree(nullptr, none, true));
    EXPECT_FALSE(none);
}

std::string Nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "[x ";
    text += "[leaf]";
    text += std::string(depth, ']');
    return text;
}

TEST_F(TreeNodes, DeepNestingUpToTheGridIsReadAndBeyondRefused) {
    // The leaf stands at level 32767, the deepest the grid holds.
    ASSERT_TRUE(tree.StrToTree(Nested(MaxGridPosition)));
    std::string text;
    ASSERT_TRUE(tree.TreeToStr(text));
    EXPECT_EQ(text.size(), Nested(MaxGridPosition).size());
    ASSERT_TRUE(tree.Positions());
    TNode* node = tree.GetRoot();
    while (!node->Children.empty())
        node = node->Children[0].get();
    EXPECT_EQ(node->Y, MaxGridPosition);
    EXPECT_TRUE(sink.Empty());

    // Deeper text is valid but cannot be laid out: it is refused as too deep, not as
    // a lack of memory, closed or not.
    std::string unclosed;
    for (int i = 0; i < 100000; ++i)
        unclosed += "[x ";
    for (const std::string& deep : {Nested(MaxGridPosition + 1), unclosed}) {
        sink.Clear();
        tree.ResetError();
        EXPECT_FALSE(tree.StrToTree(deep));
        EXPECT_EQ(tree.ErrorCode, TreeLimitError);
        EXPECT_EQ(sink.Texts(), std::vector<std::string>{"The tree is too deep: no node can lie "
                                                         "more than 32767 levels below the root."});
        EXPECT_EQ(tree.GetRoot()->Name, "x");
    }
}

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
