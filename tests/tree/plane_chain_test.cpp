// Chains of plane-tree placeholders kept as one node: in text, files, layout,
// drawing, copies and removal they behave exactly as the placeholders they stand
// for (that a comb's chains grow linearly with its depth is a tree script).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "tree/placeholder_chain.h"
#include "tree/tree.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::WriteTree;

TNode* Find(TTree& tree, const std::string& name) {
    for (TNode* node : testing::Nodes(tree))
        if (node->Name == name) return node;
    return nullptr;
}

std::string Bytes(TTree& tree) {
    std::string bytes;
    EXPECT_TRUE(tree.SaveTreeBytes(tree.GetRoot(), 1, bytes));
    return bytes;
}

// What a drawing puts on paper: its size and every operation but the vertical lines
// as recorded, and the pixels of the vertical lines (the end point of a line is not
// drawn), so that one long line equals the short lines that cover it.
using Ink = std::pair<std::vector<std::string>, std::map<int32_t, std::set<int32_t>>>;

Ink InkOf(const Picture& picture) {
    Ink ink{{std::to_string(picture.Width) + "x" + std::to_string(picture.Height)}, {}};
    for (const PictureOp& op : picture.Calls()) {
        if (op.Kind != PictureOpKind::Line || op.A.X != op.B.X)
            ink.first.push_back(testing::DumpOp(op));
        else
            for (int32_t y = op.A.Y; y != op.B.Y; y += op.B.Y > op.A.Y ? 1 : -1)
                ink.second[op.A.X].insert(y);
    }
    std::sort(ink.first.begin(), ink.first.end());
    return ink;
}

TEST(PlaneChains, ChainNodesBehaveAsThePlaceholdersTheyStandFor) {
    constexpr uint8_t ok = toPlane | toPlaneOK;
    // A tree, its options after the first drawing, and the node that each round
    // gets a new child, or with '-' loses itself and its siblings: a chain whose
    // leaf was deleted ends in a placeholder, which moves down alone, with new
    // placeholders above it or without.
    const std::tuple<const char*, uint8_t, const char*> cases[] = {
        {"[r [a] [b [c] [d]]]", ok, "d"},
        {"[r [a] [b [c [d [e [f]]]]]]", ok | toBoldLines, "f"},
        {"[x [a] [x [a] [x [a] [x [a] [x [a] [x [a] [b]]]]]]]", ok | toTriangles | toArrows, "b"},
        {"[r [s [a]] [b [c [d [e]]]]]", ok, "-a"},
        {"[r [s [a]] [b [c [d [e]]]]]", toPlane, "-a"},
    };
    const auto edit = [](TTree& tree, const char* name) {
        if (name[0] != '-') return Find(tree, name)->Children.push_back(tree.CreateNode("z"));
        if (TNode* node = Find(tree, name + 1)) tree.ParentOf(node)->Children.clear();
    };
    // At a small vertical distance a chain's lines overlap.
    for (const int32_t vDist : {64, 4})
        for (const auto& [text, options, node] : cases) {
            SCOPED_TRACE(std::string(text) + " " + std::to_string(vDist));
            NullSink sink;
            TTree chains(true, sink), placeholders(true, sink);
            testing::RecordingCanvas screen;
            ASSERT_TRUE(chains.StrToTree(text));
            chains.SetParams(64, vDist, "", ok, TNodeAttr{});
            ASSERT_TRUE(chains.Show(screen.Canvas, 4, 4));
            chains.Options = options;
            // The same tree with one node per placeholder: the text read back.
            ASSERT_TRUE(placeholders.StrToTree(WriteTree(chains)));
            placeholders.SetParams(64, vDist, "", options, TNodeAttr{});
            for (int round = 0; round < 3; ++round) {
                SCOPED_TRACE(round);
                ASSERT_TRUE(chains.Show(screen.Canvas, 4, 4));
                ASSERT_TRUE(placeholders.Show(screen.Canvas, 4, 4));
                EXPECT_EQ(WriteTree(chains), WriteTree(placeholders));
                EXPECT_EQ(Bytes(chains), Bytes(placeholders)); // positions, boxes, serials
                EXPECT_EQ(InkOf(chains.Metafile), InkOf(placeholders.Metafile));
                edit(chains, node);
                edit(placeholders, node);
            }
            // Copies that take new serial numbers take one per placeholder, and count
            // on from 1 after the largest.
            for (TTree* tree : {&chains, &placeholders}) {
                TNodePtr copy;
                tree->NextID = 2147483645;
                ASSERT_TRUE(tree->CopyTree(tree->GetRoot(), copy, false));
                tree->SetRoot(std::move(copy));
            }
            EXPECT_EQ(chains.NextID, placeholders.NextID);
            EXPECT_EQ(Bytes(chains), Bytes(placeholders));
            // Leaving the plane layout removes them alike.
            for (TTree* tree : {&chains, &placeholders}) {
                tree->Options = ok;
                tree->SetParams(64, vDist, "", toPlane, TNodeAttr{});
            }
            EXPECT_EQ(Bytes(chains), Bytes(placeholders));
            EXPECT_EQ(WriteTree(chains).find("[$ [$"), std::string::npos);
        }
}

TEST(PlaneChains, SerialNumbersOfPlaceholdersCountAsOneByOne) {
    for (const int32_t id : {0, 5, 2147483640, 2147483646, 2147483647})
        for (int32_t count = 0, oneByOne = id; count < 12; ++count, oneByOne = NextSerial(oneByOne))
            EXPECT_EQ(SerialAfter(id, count), oneByOne) << id << " + " << count;
    EXPECT_EQ(NextSerial(2147483647), 1);
}

} // namespace
} // namespace gramarbor
