// Movement arrows: dropping those left dangling, lanes and drawing (bracket markers,
// tree files and copies are tree scripts).
#include <gtest/gtest.h>

#include <algorithm>

#include "common/script_cases.h"
#include "tree/move_arrow_routes.h"
#include "tree/tree.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::Nodes;
using testing::RecordingCanvas;
using MoveArrows = testing::TreeTest;

// Copies that keep or drop arrows are among the tree scripts.
TEST_F(MoveArrows, RemovedTargetsLeaveArrowsToDrop) {
    ASSERT_TRUE(tree.StrToTree("[S [a<1] [X [b>1] [c<2] [d>2]]]"));
    // A removed target leaves its arrow dangling until it is dropped.
    const auto node = [&](const char* path) { return testing::NodeAtPath(tree.GetRoot(), path); };
    node("1")->Children.erase(node("1")->Children.begin() + 1);
    EXPECT_EQ(tree.DropDanglingArrows(), 1);
    EXPECT_EQ(testing::ArrowList(tree), "b->a");
    EXPECT_EQ(tree.NodeNumber(node("1.0")), 4);
    EXPECT_EQ(tree.NodeByNumber(2), node("0"));
}

TEST_F(MoveArrows, OverlappingArrowsGetSeparateLanesAndRoomBelowTheTree) {
    // a <- d spans b <- c: the outer arrow runs below the inner one; e <- f is apart.
    ASSERT_TRUE(tree.StrToTree("[S [a<1] [b<2] [c>2] [X [d>1] [Y [e<3] [f>3]]]]"));
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
