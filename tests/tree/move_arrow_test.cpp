// Movement arrows: dropping those left dangling, lanes and drawing (bracket markers,
// tree files and copies are tree scripts).
#include <gtest/gtest.h>

#include <algorithm>

#include "tree/move_arrow_routes.h"
#include "tree/tree.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::NodeAt;
using testing::Nodes;
using testing::ReadTree;
using testing::RecordingCanvas;
using MoveArrows = testing::TreeTest;

// "name->target" for every arrow, in pre-order of the sources.
std::string ArrowList(TTree& tree) {
    std::string list;
    for (const TMoveArrow& a : tree.MoveArrows(tree.GetRoot()))
        list += (list.empty() ? "" : " ") + a.From->Name + "->" + a.To->Name;
    return list;
}

// Copies that keep or drop arrows are among the tree scripts.
TEST_F(MoveArrows, RemovedTargetsLeaveArrowsToDrop) {
    ReadTree(tree, "[S [a<1] [X [b>1] [c<2] [d>2]]]");
    // A removed target leaves its arrow dangling until it is dropped.
    NodeAt(tree, {1})->Children.erase(NodeAt(tree, {1})->Children.begin() + 1);
    EXPECT_EQ(tree.DropDanglingArrows(), 1);
    EXPECT_EQ(ArrowList(tree), "b->a");
    EXPECT_EQ(tree.NodeNumber(NodeAt(tree, {1, 0})), 4);
    EXPECT_EQ(tree.NodeByNumber(2), NodeAt(tree, {0}));
}

TEST_F(MoveArrows, OverlappingArrowsGetSeparateLanesAndRoomBelowTheTree) {
    // a <- d spans b <- c: the outer arrow runs below the inner one; e <- f is apart.
    ReadTree(tree, "[S [a<1] [b<2] [c>2] [X [d>1] [Y [e<3] [f>3]]]]");
    ASSERT_TRUE(tree.Positions());
    const auto routes = RouteArrows(tree.MoveArrows(tree.GetRoot()));
    ASSERT_EQ(routes.size(), 3u);
    EXPECT_EQ(routes[0].Arrow.From->Name, "c");
    EXPECT_EQ(routes[0].Lane, 1);
    EXPECT_EQ(routes[1].Lane, 2);
    EXPECT_EQ(routes[2].Lane, 1);
    EXPECT_TRUE(routes[2].Below);

    RecordingCanvas with, without;
    ASSERT_TRUE(tree.Show(with.Canvas, 4, 4));
    const int32_t height = tree.GetMetafile().Height;
    const auto heads = [](const RecordingCanvas& rc) {
        const std::vector<PictureOp>& calls = rc.Recorded.Calls();
        return std::count_if(calls.begin(), calls.end(),
                             [](const PictureOp& op) { return op.Kind == PictureOpKind::Polygon; });
    };
    for (TNode* node : Nodes(tree))
        node->MoveTarget = 0;
    ASSERT_TRUE(tree.Show(without.Canvas, 4, 4));
    EXPECT_EQ(height - tree.GetMetafile().Height, tree.MoveArrowDepth(routes));
    EXPECT_EQ(heads(with), heads(without) + 3);
}

} // namespace
} // namespace gramarbor
