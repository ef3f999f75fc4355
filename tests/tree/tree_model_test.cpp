// The tree model: error latch, parameters, nodes, copies, search, reading one node
// from text, deep nesting and the shapes compared in deep trees (bracket text and
// ordinary comparisons live in tests/data/tree_scripts).
#include <gtest/gtest.h>

#include <tuple>

#include "tree/tree.h"
#include "tree/tree_changes.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::NodeAt;
using testing::ReadTree;
using TreeErrors = testing::TreeTest;
using TreeNodes = testing::TreeTest;
using TreeParams = testing::TreeTest;
using TreeSearch = testing::TreeTest;

TEST_F(TreeErrors, OnlyTheFirstErrorIsShownUntilReset) {
    ASSERT_TRUE(tree.Init(tree.CreateNode("S")));
    EXPECT_FALSE(tree.Init(tree.CreateNode("T")));
    EXPECT_FALSE(tree.Init(nullptr));
    EXPECT_EQ(tree.ErrorCode, 5);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"A start-node is already defined."});
    EXPECT_EQ(tree.GetRoot()->Name, "S");

    tree.ResetError();
    EXPECT_FALSE(tree.PushLeft(nullptr));
    EXPECT_EQ(sink.Last(), "Can`t continue: encountered an uninitialized node in \"PushLeft\".");

    tree.ShowErrors = false;
    tree.ResetError();
    EXPECT_FALSE(tree.Init(nullptr));
    EXPECT_EQ(tree.ErrorCode, 9);
    EXPECT_EQ(sink.Entries().size(), 2u);
}

TEST_F(TreeParams, DefaultsOddDistancesAndNodeDefaults) {
    const auto params = [&] {
        int32_t hDist = 0, vDist = 0;
        std::string font;
        uint8_t options = 0xFF;
        TNodeAttr defaults;
        tree.GetParams(hDist, vDist, font, options, defaults);
        return std::tuple{hDist, vDist, font, int(options), defaults};
    };
    tree.SetParams(-1, -1, "", 0, TNodeAttr{});
    EXPECT_EQ(params(), std::tuple(64, 64, "Arial", 0, DefaultNodeAttr()));
    TNodeAttr small;
    small.FontSize = 10;
    tree.SetParams(65, 0, "Times", toFrames, small);
    EXPECT_EQ(params(), std::tuple(64, 0, "Times", int(toFrames), small));
    tree.SetNodeDefaults("", DefaultNodeAttr());
    EXPECT_EQ(tree.FontName, "Times");
    tree.SetNodeDefaults("Courier", small);
    EXPECT_EQ(tree.FontName, "Courier");
}

TEST(TreeAttr, AlignAndFrameIndices) {
    TNodeAttr attr;
    EXPECT_EQ(AlignIndex(attr), -1);
    EXPECT_EQ(FrameIndex(attr), 0);
    for (int i = 0; i < 3; ++i) {
        SetAlignIndex(attr, i);
        EXPECT_EQ(AlignIndex(attr), i);
    }
    attr.Flags |= naLeft; // several bits: the last one tested wins
    EXPECT_EQ(AlignIndex(attr), 2);
    SetAlignIndex(attr, 7);
    EXPECT_EQ(AlignIndex(attr), -1);
    for (int i = 0; i < 4; ++i) {
        SetFrameIndex(attr, i);
        EXPECT_EQ(FrameIndex(attr), i);
    }
    attr.Flags |= naAngular | naArrow;
    EXPECT_EQ(FrameIndex(attr), 3);
    SetFrameIndex(attr, 0);
    EXPECT_EQ(attr.Flags, naArrow);
}

TEST_F(TreeNodes, CreateNodeSplitsAnnotationsAndNumbersNodes) {
    TNodePtr node = tree.CreateNode("NP", std::string("a||b|"));
    ASSERT_TRUE(node);
    EXPECT_EQ(node->Cont, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(node->ID, 1);

    TNodePtr chain = tree.CreateNode("$", std::string("x"));
    EXPECT_EQ(chain->Attr, TNodeAttr{});
    EXPECT_EQ(chain->ID, 0);
    EXPECT_TRUE(chain->Cont.empty());
    EXPECT_EQ(tree.NextID, 2);

    TNodeAttr attr;
    attr.FontSize = 30;
    EXPECT_EQ(tree.CreateNode("x", std::nullopt, attr)->Attr, attr);

    TTree plain(false, sink);
    EXPECT_TRUE(plain.CreateNode("z", std::string("a|b"))->Cont.empty());
}

// Copies of trees are among the tree scripts.
TEST_F(TreeNodes, CopyOfNoTreeFailsAndEmptiesTheTarget) {
    TNodePtr none = tree.CreateNode("old");
    EXPECT_FALSE(tree.CopyTree(nullptr, none, true));
    EXPECT_FALSE(none);
}

TEST_F(TreeSearch, BoxesAreInclusiveAndEarlierNodesWin) {
    ReadTree(tree, "[S [A] [B]]");
    NodeAt(tree, {})->Rect = {10, 10, 20, 20};
    NodeAt(tree, {0})->Rect = {15, 15, 40, 40};
    NodeAt(tree, {1})->Rect = {30, 30, 50, 50};
    TRect box;
    EXPECT_EQ(tree.NodeAtXY(20, 20, box), NodeAt(tree, {}));
    EXPECT_EQ(box, (TRect{10, 10, 20, 20}));
    EXPECT_EQ(tree.NodeAtXY(35, 35, box), NodeAt(tree, {0}));
    EXPECT_EQ(tree.NodeAtXY(50, 50, box), NodeAt(tree, {1}));
    EXPECT_EQ(tree.NodeAtXY(51, 50, box), nullptr);
    EXPECT_EQ(box, (TRect{-1, -1, -1, -1}));

    EXPECT_EQ(tree.ParentOf(NodeAt(tree, {1})), NodeAt(tree, {}));
    EXPECT_EQ(tree.ParentOf(NodeAt(tree, {})), nullptr);
    EXPECT_EQ(tree.SearchParent(nullptr, nullptr), nullptr);
    EXPECT_EQ(sink.Last(),
              "Can`t continue: encountered an uninitialized node in \"SearchParent\".");

    TTree empty(true, sink);
    EXPECT_EQ(empty.ParentOf(NodeAt(tree, {0})), nullptr);
    EXPECT_EQ(empty.ErrorCode, 0);
}

TEST_F(TreeNodes, ClearResetsTreeErrorAndPicture) {
    ReadTree(tree, "[S]");
    tree.ErrorCode = teNoNodeAtPosition;
    tree.GridExtent = {1, 2, 3, 4};
    tree.Metafile.Width = 9;
    EXPECT_TRUE(tree.Clear());
    EXPECT_EQ(tree.GetRoot(), nullptr);
    EXPECT_EQ(tree.ErrorCode, 0);
    EXPECT_EQ(tree.GridExtent, (TRect{-1, -1, -1, -1}));
    EXPECT_EQ(tree.Metafile.Width, 0);
}

TEST_F(TreeNodes, ParseNodeLeavesTheRestOfTheText) {
    std::string text = "[A [B]] [C]";
    TNodePtr node;
    ASSERT_TRUE(tree.ParseNode(text, node));
    EXPECT_EQ(node->Children[0]->Name, "B");
    EXPECT_EQ(text, " [C]");
    EXPECT_EQ(tree.GetRoot(), nullptr);
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
