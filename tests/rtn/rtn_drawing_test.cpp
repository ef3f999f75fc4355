// Drawn shapes (and the layout numbers they follow), split pictures and focus geometry.
#include "rtn/rtn_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "rtn/cfg_to_rtn.h"
#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;

struct Drawn {
    Picture Pic;
    std::vector<const PictureOp*> Of(PictureOpKind kind) const {
        std::vector<const PictureOp*> ops;
        for (const PictureOp& op : Pic.Calls())
            if (op.Kind == kind) ops.push_back(&op);
        return ops;
    }
    bool HasLine(TPoint from, TPoint to) const {
        for (const PictureOp* op : Of(PictureOpKind::Line))
            if (op->A == from && op->B == to) return true;
        return false;
    }
    bool HasArrowTip(TPoint tip) const {
        for (const PictureOp* op : Of(PictureOpKind::Polygon))
            if (!op->Points.empty() && op->Points[0] == tip) return true;
        return false;
    }
    const PictureOp* Text(const std::string& text) const {
        for (const PictureOp* op : Of(PictureOpKind::Text))
            if (op->Text == text) return op;
        return nullptr;
    }
};

Drawn Draw(const TRtn& rtn, int nodeSize = 0, int nodeDist = 0, bool linesAllowed = true) {
    ApproxTextMeasurer measurer;
    Drawn d;
    EXPECT_TRUE(DrawRtn(d.Pic, measurer, rtn, MakeRtnMetrics(nodeSize, nodeDist), linesAllowed));
    return d;
}

TRtn Convert(const TRuleList& rules) {
    TRtn rtn;
    NullSink sink;
    EXPECT_TRUE(CfgToRtn(rules, rtn, sink));
    return rtn;
}

TEST(RtnDrawing, ThreeNodeNetGeometry) {
    const Drawn d = Draw(Convert({Rule("S", {Nt("NP", ctOptional), Nt("VP")})}));
    EXPECT_EQ(d.Pic.Width, 4 * 128);
    EXPECT_EQ(d.Pic.Height, 128);
    const auto ellipses = d.Of(PictureOpKind::Ellipse);
    ASSERT_EQ(ellipses.size(), 3u);
    const int centres[] = {72, 200, 328};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(ellipses[k]->Box, (TRect{centres[k] - 24, 40, centres[k] + 24, 88}));
    }
    // First forward condition NP from node 0 to node 1: the small upper arc.
    EXPECT_TRUE(d.HasLine({136, 35}, {137, 35}));
    EXPECT_TRUE(d.HasArrowTip({177, 53}));
    // The pop-arc of the last node runs straight into the reserved column.
    EXPECT_TRUE(d.HasLine({352, 64}, {432, 64}));
    EXPECT_TRUE(d.HasArrowTip({432, 64}));

    const PictureOp* name = d.Text("S:");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->A, (TPoint{8, 56}));
    EXPECT_EQ(name->State.Font.Height, PointsToFontHeight(8));
    const PictureOp* label = d.Text("NP");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->State.Font.Height, PointsToFontHeight(6));
    EXPECT_EQ(label->A.Y, 64 - 27);
    const auto fills = d.Of(PictureOpKind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->Box, (TRect{0, 0, 512, 128}));
    EXPECT_EQ(fills[0]->State.BrushColor, clWhite);
}

TEST(RtnDrawing, NodeSizeAndDistanceStretchTheDrawing) {
    const TRtn rtn = Convert({Rule("S", {Nt("NP"), Nt("VP")})});
    const Drawn big = Draw(rtn, 16, 0);
    EXPECT_EQ(big.Of(PictureOpKind::Ellipse)[0]->Box, (TRect{80, 40, 160, 88}));
    EXPECT_EQ(big.Pic.Width, 4 * 160);

    const Drawn far = Draw(rtn, 0, 16, false);
    // The two quarter arcs of NP sit 128 apart around the midpoint 264; the line bridges them.
    const auto arcs = far.Of(PictureOpKind::Arc);
    ASSERT_GE(arcs.size(), 2u);
    EXPECT_EQ(arcs[0]->Box, (TRect{200 - 44, 36, 200 + 44, 92}));
    EXPECT_EQ(arcs[1]->Box, (TRect{328 - 44, 36, 328 + 44, 92}));
    EXPECT_TRUE(far.HasLine({200, 35}, {329, 35}));
}

TEST(RtnDrawing, SlotsOfRepeatedOptionalAndTextConditions) {
    const TRtn rtn =
        Convert({Rule("X", {Term("the", ctRepeated)}), Rule("Y", {Nt("A", ctOptional)})});
    const Drawn d = Draw(rtn);
    EXPECT_NE(d.Text("\x9Bthe\x8B"), nullptr);
    // Net X, row 0: backward loop as a small lower arc pointing back.
    EXPECT_TRUE(d.HasLine({136, 92}, {137, 92}));
    EXPECT_TRUE(d.HasArrowTip({94, 74}));
    // Its jump-arc, third of three, is the straight middle line.
    EXPECT_TRUE(d.HasLine({96, 64}, {176, 64}));
    // Net Y, row 1: A above, jmp below.
    EXPECT_TRUE(d.HasArrowTip({177, 128 + 53}));
    EXPECT_TRUE(d.HasArrowTip({177, 128 + 74}));

    // With arcs only, a single condition is a small upper arc rather than a line.
    const Drawn arcs = Draw(Convert({Rule("S", {Nt("A")})}), 0, 0, false);
    EXPECT_FALSE(arcs.HasLine({96, 64}, {176, 64}));
    EXPECT_TRUE(arcs.HasArrowTip({177, 53}));
    const Drawn lines = Draw(Convert({Rule("S", {Nt("A")})}));
    EXPECT_TRUE(lines.HasLine({96, 64}, {176, 64}));
}

TEST(RtnDrawing, FiveAlternativesUseAllSlots) {
    const Drawn d = Draw(Convert(
        {Rule("X", {Alts({Nt("A"), Nt("B"), Nt("C"), Nt("D"), Nt("E")}, ctAlternatives)})}));
    EXPECT_TRUE(d.HasArrowTip({177, 53})); // slot 0
    EXPECT_TRUE(d.HasArrowTip({177, 74})); // slot 1
    EXPECT_TRUE(d.HasArrowTip({181, 47})); // slot 2
    EXPECT_TRUE(d.HasArrowTip({181, 80})); // slot 3
    EXPECT_TRUE(d.HasArrowTip({176, 64})); // slot 4
    EXPECT_EQ(d.Text("C")->A.Y, 64 - 47);
    EXPECT_EQ(d.Text("D")->A.Y, 64 + 48);
    EXPECT_EQ(d.Text("E")->A.Y, 64);
}

TEST(RtnDrawing, SplitPicturesHoldOnlyPartsWithNets) {
    ApproxTextMeasurer measurer;
    const TRtnMetrics metrics = MakeRtnMetrics(0, 0);
    const TRtn seven = Convert(QuickStartRules());
    std::vector<Picture> parts;
    ASSERT_TRUE(MakeSplitPictures(parts, measurer, seven, metrics, true, 3));
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0].Height, 3 * 128);
    EXPECT_EQ(parts[1].Height, 3 * 128);
    EXPECT_EQ(parts[2].Height, 128);
    EXPECT_EQ(parts[2].Width, 4 * 128);
    // Rows restart at 0 in every part: the last part draws net V in row 0.
    bool vInRowZero = false;
    for (const PictureOp& op : parts[2].Calls())
        if (op.Kind == PictureOpKind::Text && op.Text == "V:") vInRowZero = op.A.Y == 56;
    EXPECT_TRUE(vInRowZero);

    TRtn three(seven.begin(), seven.begin() + 3);
    ASSERT_TRUE(MakeSplitPictures(parts, measurer, three, metrics, true, 3));
    ASSERT_EQ(parts.size(), 3u);
    for (const Picture& part : parts)
        EXPECT_EQ(part.Height, 128);

    TRtn four(seven.begin(), seven.begin() + 4);
    ASSERT_TRUE(MakeSplitPictures(parts, measurer, four, metrics, true, 3));
    EXPECT_EQ(parts.size(), 2u);
    TRtn one(seven.begin(), seven.begin() + 1);
    ASSERT_TRUE(MakeSplitPictures(parts, measurer, one, metrics, true, 3));
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].Height, 128);
    TRtn many;
    for (int i = 0; i < 3; ++i)
        many.insert(many.end(), seven.begin(), seven.end());
    ASSERT_TRUE(MakeSplitPictures(parts, measurer, many, metrics, true, -1));
    EXPECT_EQ(parts.size(), 3u); // 21 nets, ten per part
    EXPECT_EQ(parts[2].Height, 128);
}

TEST(RtnDrawing, SplitFileNames) {
    EXPECT_EQ(SplitFileNames("RTN.WMF", 3),
              (std::vector<std::string>{"RTN_0.WMF", "RTN_1.WMF", "RTN_2.WMF"}));
    EXPECT_EQ(SplitFileNames("/a.b/net", 1), (std::vector<std::string>{"/a.b/net_0"}));
}

TEST(RtnLayout, FocusFramesAndHitTesting) {
    const TRtnMetrics m = MakeRtnMetrics(0, 0);
    const TFocusFrame name = FocusFrameGeometry(m, -1, 0);
    EXPECT_EQ(name.Box, (TRect{0, 0, 48, 128}));
    EXPECT_TRUE(name.Filled);
    const TFocusFrame transition = FocusFrameGeometry(m, 1, 1);
    EXPECT_EQ(transition.Box, (TRect{176, 128, 352, 256}));
    EXPECT_FALSE(transition.Filled);

    Picture area;
    ApproxTextMeasurer measurer;
    PictureRecorder canvas(area, measurer);
    DrawFocusFrame(canvas, m, -1, 0);
    DrawFocusFrame(canvas, m, 1, 1);
    ASSERT_EQ(area.Calls().size(), 2u);
    EXPECT_EQ(area.Calls()[0].Box, name.Box);
    EXPECT_EQ(area.Calls()[0].State.PenMode, TPenMode::pmXor);
    EXPECT_EQ(area.Calls()[0].State.BrushStyle, TBrushStyle::bsSolid);
    EXPECT_EQ(area.Calls()[0].State.BrushColor, clTeal);
    EXPECT_EQ(area.Calls()[1].State.BrushStyle, TBrushStyle::bsClear);
    EXPECT_EQ(area.Calls()[1].State.PenColor, clTeal);

    const TRtn rtn = Convert({Rule("S", {Nt("NP"), Nt("VP")}), Rule("T", {Nt("A")})});
    int32_t node = 7;
    int32_t line = 7;
    EXPECT_FALSE(HitTestFocus(rtn, m, 100, 256, node, line));
    EXPECT_EQ(node, 7);
    ASSERT_TRUE(HitTestFocus(rtn, m, 30, 10, node, line));
    EXPECT_EQ(node, -1);
    EXPECT_EQ(line, 0);
    ASSERT_TRUE(HitTestFocus(rtn, m, 72 + 128, 200, node, line));
    EXPECT_EQ(node, 1);
    EXPECT_EQ(line, 1);
    ASSERT_TRUE(HitTestFocus(rtn, m, 5000, 200, node, line));
    EXPECT_EQ(node, 1); // lowered to the last node of net T
}

} // namespace
} // namespace gramarbor
