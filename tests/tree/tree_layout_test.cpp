// Tree layout: grid positions, plane trees, chains, extents and the grid limits.
#include <gtest/gtest.h>

#include "tree/tree.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::NodeAt;
using testing::Places;
using testing::ReadTree;
using testing::WriteTree;
using TreeLayout = testing::TreeTest;

TEST_F(TreeLayout, ExtensionCoversNameAndAnnotationBoxes) {
    testing::RecordingCanvas rc;
    TRect extent, grid;

    // "S" is 8 wide at font size 16; D = 4, so the box is 16 x 22 centred on x = 0.
    ReadTree(tree, "[S]");
    ASSERT_TRUE(tree.Positions());
    ASSERT_TRUE(tree.Extension(rc.Canvas, tree.GetRoot(), extent, grid));
    EXPECT_EQ(extent, (TRect{-8, 0, 8, 22}));
    EXPECT_EQ(grid, (TRect{-1, -1, 0, 0}));

    // A wider annotation box below the name box: top 22 + 4, two lines high.
    tree.GetRoot()->Cont = {"abcdef", "x"};
    ASSERT_TRUE(tree.Extension(rc.Canvas, tree.GetRoot(), extent, grid));
    EXPECT_EQ(extent, (TRect{-28, 0, 28, 26 + 42}));

    ReadTree(tree, "[r [a] [bb]]");
    ASSERT_TRUE(tree.Positions());
    ASSERT_TRUE(tree.Extension(rc.Canvas, tree.GetRoot(), extent, grid));
    // bb at x = 2 * 32 = 64 is 16 wide: right edge 64 - 8 - 4 + 24 = 76; level 1 ends at 64 + 22.
    EXPECT_EQ(extent, (TRect{-8, 0, 76, 86}));
    EXPECT_EQ(grid, (TRect{-1, -1, 2, 1}));

    RecordingSink errors;
    TTree other(true, errors);
    EXPECT_FALSE(other.Extension(rc.Canvas, nullptr, extent, grid));
    EXPECT_EQ(errors.Last(), "Tree is not initialized. Use \"Init(..)\" first.");
}

TEST_F(TreeLayout, EmptyNamesAndChainsHaveSmallBoxes) {
    testing::RecordingCanvas rc;
    TRect extent, grid;
    TNodeAttr attr = DefaultNodeAttr();
    attr.LineDist = 10;
    tree.Init(tree.CreateNode("", std::nullopt, attr));
    ASSERT_TRUE(tree.Extension(rc.Canvas, tree.GetRoot(), extent, grid));
    EXPECT_EQ(extent, (TRect{-4, 0, 4, 0})); // height 6 - 10 < 0: MaxY stays 0

    tree.Clear();
    tree.Init(tree.NewChainNode());
    ASSERT_TRUE(tree.Extension(rc.Canvas, tree.GetRoot(), extent, grid));
    EXPECT_EQ(extent, (TRect{-4, 0, 5, 6})); // "$" at the default width 5, D = 2
}

TEST_F(TreeLayout, TreesBeyondTheGridAreRefused) {
    // A complete tree of four children per node, eight levels deep: 65536 leaves
    // need 131071 columns.
    tree.Init(tree.CreateNode("r"));
    std::vector<TNode*> level{tree.GetRoot()};
    for (int depth = 0; depth < 8; ++depth) {
        std::vector<TNode*> next;
        for (TNode* node : level)
            for (int i = 0; i < 4; ++i) {
                node->Children.push_back(tree.CreateNode("n"));
                next.push_back(node->Children.back().get());
            }
        level = std::move(next);
    }
    EXPECT_FALSE(tree.Positions());
    EXPECT_EQ(tree.ErrorCode, 24);
    EXPECT_EQ(sink.Last(), "Common error in \"Show\"/\"Draw\". The tree does not fit into the "
                           "layout grid of 32767 columns and levels.");

    // Chains from stored levels far apart would leave the grid.
    tree.ResetError();
    ReadTree(tree, "[r [a] [b [c]]]");
    NodeAt(tree, {0})->Y = -30000;
    NodeAt(tree, {1, 0})->Y = 10000;
    EXPECT_FALSE(tree.PlaneTree(tree.GetRoot(), true));
    EXPECT_EQ(tree.ErrorCode, 24);
    EXPECT_TRUE(tree.PlaneTree(tree.GetRoot(), false));
    EXPECT_EQ(NodeAt(tree, {0})->Y, 10000);
    EXPECT_FALSE(tree.RemovePlaneChains(nullptr));

    // Distances that would leave the drawing coordinates are refused too.
    tree.ResetError();
    ReadTree(tree, "[r [a] [b]]");
    tree.SetParams(2000000000, 64, "", 0, TNodeAttr{});
    testing::RecordingCanvas rc;
    EXPECT_FALSE(tree.Show(rc.Canvas, 4, 4));
    EXPECT_EQ(tree.ErrorCode, 24);
}

} // namespace
} // namespace gramarbor
