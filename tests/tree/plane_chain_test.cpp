// Chains of plane-tree placeholders kept as one node: in text, files, layout,
// drawing, copies and removal they behave exactly as the placeholders they stand
// for (that a comb's chains grow linearly with its depth is a tree script).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "tree/placeholder_chain.h"
#include "tree/tree.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::ReadTree;
using testing::RecordingCanvas;
using testing::WriteTree;
using PlaneChains = testing::TreeTest;

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

// What a drawing puts on paper: every operation but the vertical lines as recorded,
// and the pixels of the vertical lines (the end point of a line is not drawn), so
// that one long line equals the short lines that cover it.
struct Ink {
    std::vector<std::string> Ops;
    std::map<int32_t, std::set<int32_t>> Vertical;
    bool operator==(const Ink&) const = default;
};

Ink InkOf(const Picture& picture) {
    Ink ink;
    for (const PictureOp& op : picture.Calls()) {
        if (op.Kind == PictureOpKind::Line && op.A.X == op.B.X) {
            const int32_t step = op.B.Y > op.A.Y ? 1 : -1;
            for (int32_t y = op.A.Y; y != op.B.Y; y += step)
                ink.Vertical[op.A.X].insert(y);
            continue;
        }
        ink.Ops.push_back(testing::DumpOp(op));
    }
    std::sort(ink.Ops.begin(), ink.Ops.end());
    return ink;
}

TEST_F(PlaneChains, ChainNodesBehaveAsThePlaceholdersTheyStandFor) {
    struct Case {
        std::string Text;
        uint8_t Options;
        // Edits applied to both trees between two drawings.
        std::function<void(TTree&)> Edit;
    };
    const auto addBelow = [](const char* parent, const char* child) {
        return [=](TTree& tree) { Find(tree, parent)->Children.push_back(tree.CreateNode(child)); };
    };
    const auto remove = [](const char* name) {
        return [=](TTree& tree) {
            if (TNode* node = Find(tree, name)) tree.ParentOf(node)->Children.clear();
        };
    };
    constexpr uint8_t ok = toPlane | toPlaneOK;
    const Case cases[] = {
        {"[r [a] [b [c] [d]]]", ok, addBelow("d", "e")},
        {"[r [a] [b [c [d [e [f]]]]]]", ok | toBoldLines, addBelow("f", "g")},
        {"[x [a] [x [a] [x [a] [x [a] [x [a] [x [a] [b]]]]]]]", ok | toTriangles | toArrows,
         addBelow("b", "c")},
        // A chain whose leaf was deleted ends in a placeholder, which moves down
        // alone, with new placeholders above it or without.
        {"[r [s [a]] [b [c [d [e]]]]]", ok, remove("a")},
        {"[r [s [a]] [b [c [d [e]]]]]", toPlane, remove("a")},
    };
    // At a small vertical distance a chain's lines overlap.
    for (const int32_t vDist : {64, 4})
        for (const Case& c : cases) {
            SCOPED_TRACE(c.Text + " " + std::to_string(vDist));
            NullSink sink;
            TTree chains(true, sink), placeholders(true, sink);
            RecordingCanvas screen;
            ReadTree(chains, c.Text);
            chains.SetParams(64, vDist, "", ok, TNodeAttr{});
            ASSERT_TRUE(chains.Show(screen.Canvas, 4, 4));
            chains.Options = c.Options;
            // The same tree with one node per placeholder: the text read back.
            ReadTree(placeholders, WriteTree(chains));
            placeholders.SetParams(64, vDist, "", c.Options, TNodeAttr{});
            for (int round = 0; round < 3; ++round) {
                SCOPED_TRACE(round);
                ASSERT_TRUE(chains.Show(screen.Canvas, 4, 4));
                ASSERT_TRUE(placeholders.Show(screen.Canvas, 4, 4));
                EXPECT_EQ(WriteTree(chains), WriteTree(placeholders));
                EXPECT_EQ(Bytes(chains), Bytes(placeholders)); // positions, boxes, serials
                EXPECT_EQ(InkOf(chains.Metafile), InkOf(placeholders.Metafile));
                EXPECT_EQ(chains.Metafile.Width, placeholders.Metafile.Width);
                EXPECT_EQ(chains.Metafile.Height, placeholders.Metafile.Height);
                c.Edit(chains);
                c.Edit(placeholders);
            }
            // Copies that take new serial numbers take one per placeholder, and count
            // on from 1 after the largest.
            chains.NextID = placeholders.NextID = 2147483645;
            TNodePtr copy, copied;
            ASSERT_TRUE(chains.CopyTree(chains.GetRoot(), copy, false));
            ASSERT_TRUE(placeholders.CopyTree(placeholders.GetRoot(), copied, false));
            EXPECT_EQ(chains.NextID, placeholders.NextID);
            chains.SetRoot(std::move(copy));
            placeholders.SetRoot(std::move(copied));
            EXPECT_EQ(Bytes(chains), Bytes(placeholders));
            // Leaving the plane layout removes them alike.
            chains.Options = placeholders.Options = ok;
            chains.SetParams(64, vDist, "", toPlane, TNodeAttr{});
            placeholders.SetParams(64, vDist, "", toPlane, TNodeAttr{});
            EXPECT_EQ(Bytes(chains), Bytes(placeholders));
            EXPECT_EQ(WriteTree(chains).find("[$ [$"), std::string::npos);
        }
}

TEST_F(PlaneChains, SerialNumbersOfPlaceholdersCountAsOneByOne) {
    for (const int32_t id : {0, 5, 2147483640, 2147483646, 2147483647}) {
        int32_t oneByOne = id;
        for (int64_t count = 0; count < 12; ++count) {
            EXPECT_EQ(SerialAfter(id, count), oneByOne) << id << " + " << count;
            oneByOne = NextSerial(oneByOne);
        }
    }
    EXPECT_EQ(NextSerial(2147483647), 1);
}

} // namespace
} // namespace gramarbor
