// Tidy layout: distances between boxes on a level, parents over their first and
// last child, plane trees and chains, and the contours it packs with (deep and wide
// trees are tree scripts).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "text/text_utils.h"
#include "tree/node_geometry.h"
#include "tree/tree.h"
#include "tree/tree_contour.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::NodeAt;
using testing::Nodes;
using testing::ReadTree;
using testing::RecordingCanvas;
using TidyLayout = testing::TreeTest;

struct Span {
    int64_t Left, Right;
    const TNode* Node;
};

// The horizontal reach of every drawn box (name and annotation), by level.
std::map<int, std::vector<Span>> BoxesByLevel(TTree& tree, Canvas& canvas) {
    std::map<int, std::vector<Span>> levels;
    for (const TNode* node : Nodes(tree)) {
        if (node->Name == "$") continue;
        Span span{node->Rect.Left, node->Rect.Right, node};
        if (!node->Cont.empty()) {
            const int64_t w = tree.LinesWidth(canvas, node->Attr, node->Cont);
            const int64_t x = (node->Rect.Left + node->Rect.Right) / 2;
            const int64_t left = x - w / 2 - BoxMargin(node->Attr.FontSize) - 1;
            span.Left = std::min(span.Left, left);
            span.Right = std::max(span.Right, left + w + 2 * BoxMargin(node->Attr.FontSize) + 2);
        }
        levels[node->Y].push_back(span);
    }
    return levels;
}

void ExpectTidy(TTree& tree, RecordingCanvas& rc, const std::string& text) {
    const int32_t distance = 2 * tree.HalfHDist;
    for (auto& [level, spans] : BoxesByLevel(tree, rc.Canvas)) {
        std::sort(spans.begin(), spans.end(),
                  [](const Span& a, const Span& b) { return a.Left < b.Left; });
        for (std::size_t i = 1; i < spans.size(); ++i)
            EXPECT_GE(spans[i].Left - spans[i - 1].Right, distance - 2)
                << text << ": " << spans[i - 1].Node->Name << " and " << spans[i].Node->Name;
    }
    for (const TNode* node : Nodes(tree)) {
        if (node->Children.empty()) continue;
        EXPECT_EQ(2 * node->X, node->Children.front()->X + node->Children.back()->X)
            << text << ": " << node->Name;
    }
}

TEST_F(TidyLayout, BoxesKeepTheDistanceAndParentsStandOverFirstAndLastChild) {
    const char* const trees[] = {
        "[S [NP [N [Hippopotami]]] [VP [V [understand]] [NP [N [constitutionalities]]]]]",
        "[constitutionalities [a] [b]]",
        "[r [a] [b [c] [d]] [e [f [g] [h] [i]]]]",
        "[r [x [a] [b [c [d [e]]]]] [y [z [veryveryverylongname]]]]",
        "[r [a|bbbbbbbbbbbbbbb] [c]]",
        "[S [x [a] [x [a] [x [a] [x [a] [b]]]]] [y]]",
    };
    struct Variant {
        uint8_t Options;
        bool Annotate;
    };
    const Variant variants[] = {{toTidy, false},
                                {toTidy | toFrames, true},
                                {toTidy | toPlane, false},
                                {toTidy | toPlane | toPlaneOK, true}};
    NullSink sink;
    for (const Variant& v : variants) {
        for (const char* text : trees) {
            TTree tree(true, sink);
            tree.SetParams(32, 64, "", v.Options, TNodeAttr{});
            ReadTree(tree, text);
            if (v.Annotate) {
                NodeAt(tree, {0})->Cont = {"a wide annotation line"};
                NodeAt(tree, {0})->Attr.Flags |= naRound;
            }
            RecordingCanvas rc;
            ASSERT_TRUE(tree.Show(rc.Canvas, 4, 4)) << text << " error " << tree.ErrorCode;
            ExpectTidy(tree, rc, text);
            // A second display (plane chains in place) keeps every position.
            const std::string before = testing::Places(tree);
            ASSERT_TRUE(tree.Show(rc.Canvas, 4, 4)) << text;
            EXPECT_EQ(testing::Places(tree), before) << text;
        }
    }
}

// Contours against a level-by-level model.
TEST(TreeContour, ShiftAndMergeAgreeWithLevelByLevelEdges) {
    std::mt19937 random(15);
    const auto make = [&](std::vector<std::pair<int64_t, int64_t>>& levels, int64_t offset) {
        TContour c;
        const int runs = 1 + int(random() % 6);
        std::vector<std::tuple<int32_t, int64_t, int64_t>> runList;
        for (int i = 0; i < runs; ++i) {
            const int64_t left = -int64_t(random() % 50);
            runList.emplace_back(1 + int32_t(random() % (i % 2 ? 40 : 3)), left,
                                 left + int64_t(random() % 60));
        }
        // Deepest first into the contour; levels are listed from the top.
        for (auto it = runList.rbegin(); it != runList.rend(); ++it)
            c.PushTop(std::get<0>(*it), std::get<1>(*it), std::get<2>(*it));
        for (const auto& [count, left, right] : runList)
            for (int k = 0; k < count; ++k)
                levels.push_back({left + offset, right + offset});
        c.Shift(offset);
        return c;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::pair<int64_t, int64_t>> a, b;
        TContour ca = make(a, int64_t(random() % 30));
        TContour cb = make(b, 0);
        int64_t expected = INT64_MIN;
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
            expected = std::max(expected, a[i].second + 10 - b[i].first);
        int64_t shift = 0;
        ASSERT_TRUE(RequiredShift(ca.Right, cb.Left, 10, shift));
        ASSERT_EQ(shift, expected) << "round " << round;

        cb.Shift(shift);
        for (auto& level : b) {
            level.first += shift;
            level.second += shift;
        }
        TContour merged = MergeContours(std::move(ca), std::move(cb));
        std::vector<std::pair<int64_t, int64_t>> m(std::max(a.size(), b.size()));
        for (std::size_t i = 0; i < m.size(); ++i)
            m[i] = {i < a.size() ? a[i].first : b[i].first,
                    i < b.size() ? b[i].second : a[i].second};
        // Read the merged contour back level by level from the top.
        std::vector<std::pair<int64_t, int64_t>> got;
        std::vector<int64_t> lefts, rights;
        for (auto it = merged.Left.Runs.rbegin(); it != merged.Left.Runs.rend(); ++it)
            for (int k = 0; k < it->Count; ++k)
                lefts.push_back(it->Value + merged.Left.Offset);
        for (auto it = merged.Right.Runs.rbegin(); it != merged.Right.Runs.rend(); ++it)
            for (int k = 0; k < it->Count; ++k)
                rights.push_back(it->Value + merged.Right.Offset);
        ASSERT_EQ(lefts.size(), m.size());
        ASSERT_EQ(rights.size(), m.size());
        for (std::size_t i = 0; i < m.size(); ++i)
            got.push_back({lefts[i], rights[i]});
        ASSERT_EQ(got, m) << "round " << round;
    }
}

} // namespace
} // namespace gramarbor
