// Movement arrows: bracket markers, tree files, copies, lanes and drawing.
#include <gtest/gtest.h>

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

// Arrows that come back from a file are among the tree scripts.
TEST_F(MoveArrows, TreeFilesWithDamagedArrowsAreRefused) {
    tree.SetParams(64, 64, "", toPlane | toPlaneOK, TNodeAttr{});
    ReadTree(tree, "[S [who] [VP [V [saw]] [NP [t]]]]");
    RecordingCanvas rc;
    ASSERT_TRUE(tree.Show(rc.Canvas, 4, 4)); // chains above "who"
    std::string plain;
    ASSERT_TRUE(tree.SaveTreeBytes(tree.GetRoot(), 1, plain));
    const auto i32 = [](int32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    const std::pair<std::string, const char*> damaged[] = {
        {"JUNKJUNK", "are not a movement arrow block"},
        {"MOVE" + i32(2) + i32(1) + i32(2), "announces 2 arrows but holds 1"},
        {"MOVE" + i32(-1), "announces -1 arrows"},
        {"MOVE" + i32(1) + i32(1) + i32(99), "joins node records 1 and 99"},
        // Records 1 and 2 are the two placeholders of the chain above "who".
        {"MOVE" + i32(1) + i32(1) + i32(2), "from node \"$\" to itself"},
        {"MOVE" + i32(2) + i32(0) + i32(3) + i32(0) + i32(4), "has more than one arrow"},
        {"MOVE" + i32(1) + i32(0) + i32(3) + "x", "bytes after the last arrow"},
    };
    for (const auto& [block, message] : damaged) {
        RecordingSink errors;
        TTree target(true, errors);
        EXPECT_FALSE(target.LoadTreeBytes(plain + block, "d.tre")) << message;
        EXPECT_NE(errors.Last().find("Tree file \"d.tre\" has damaged movement arrows: "),
                  std::string::npos);
        EXPECT_NE(errors.Last().find(message), std::string::npos) << errors.Last();
        EXPECT_EQ(target.GetRoot(), nullptr);
    }
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
    const auto heads = with.Ops(PictureOpKind::Polygon).size();
    for (TNode* node : Nodes(tree))
        node->MoveTarget = 0;
    ASSERT_TRUE(tree.Show(without.Canvas, 4, 4));
    EXPECT_EQ(height - tree.GetMetafile().Height, tree.MoveArrowDepth(routes));
    EXPECT_EQ(heads, without.Ops(PictureOpKind::Polygon).size() + 3);
}

} // namespace
} // namespace gramarbor
