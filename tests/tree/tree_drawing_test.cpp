// Node markup, node boxes and tree drawing, checked as recorded canvas calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "picture/arrow_head.h"
#include "picture/text_measurer.h"
#include "tree/canvas_measurer.h"
#include "tree/tree.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::NodeAt;
using testing::ReadTree;
using testing::RecordingCanvas;
using TreeDisplay = testing::TreeTest;
using TreeMarkup = testing::TreeTest;
using TreeNodeBox = testing::TreeTest;

struct TextPiece {
    std::string Text;
    int32_t X;
    int32_t Y;
    int32_t Height;
    uint8_t Style;
    std::string Font;
    bool operator==(const TextPiece&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TextPiece& p) {
    return out << p.Text << "@" << p.X << "," << p.Y << " h" << p.Height << " s" << int(p.Style)
               << " " << p.Font;
}

std::vector<TextPiece> Pieces(const RecordingCanvas& rc) {
    std::vector<TextPiece> pieces;
    for (const PictureOp& op : rc.Ops(PictureOpKind::Text))
        pieces.push_back({op.Text, op.A.X, op.A.Y, op.State.Font.Height, op.State.Font.Style,
                          op.State.Font.Name});
    return pieces;
}

std::vector<std::pair<TPoint, TPoint>> Lines(const RecordingCanvas& rc) {
    std::vector<std::pair<TPoint, TPoint>> lines;
    for (const PictureOp& op : rc.Ops(PictureOpKind::Line))
        lines.push_back({op.A, op.B});
    return lines;
}

TEST_F(TreeMarkup, IndicesUseTheSmallerFontAndShift) {
    const TNodeAttr attr = DefaultNodeAttr();
    RecordingCanvas rc;
    EXPECT_EQ(tree.MarkupTextOut(rc.Canvas, 10, 20, "NP%_i", attr), 22);
    EXPECT_EQ(tree.MarkupTextOut(rc.Canvas, 10, 40, "x%^2%^y", attr), 22);
    EXPECT_EQ(Pieces(rc), (std::vector<TextPiece>{{"NP", 10, 20, 16, 0, "Arial"},
                                                  {"i", 26, 26, 12, 0, "Arial"},
                                                  {"x", 10, 40, 16, 0, "Arial"},
                                                  {"2", 18, 38, 12, 0, "Arial"},
                                                  {"y", 24, 40, 16, 0, "Arial"}}));
    // Switching to the other index ends the first one.
    RecordingCanvas both;
    tree.MarkupTextOut(both.Canvas, 0, 0, "a%^b%_c", attr);
    EXPECT_EQ(Pieces(both).back(), (TextPiece{"c", 14, 6, 12, 0, "Arial"}));
}

TEST_F(TreeMarkup, StylesResetsPercentSignsAndFonts) {
    tree.FontName = "Times";
    TNodeAttr attr = DefaultNodeAttr();
    attr.FontStyle = fsUnderline;
    RecordingCanvas rc;
    tree.MarkupTextOut(rc.Canvas, 0, 0, "%b%ia%%b", attr);
    tree.MarkupTextOut(rc.Canvas, 0, 100, "%Ba%bb%S%uc", attr);
    EXPECT_EQ(Pieces(rc),
              (std::vector<TextPiece>{{"a", 0, 0, 16, fsUnderline | fsBold | fsItalic, "Times"},
                                      {"b", 9, 0, 16, fsUnderline, "Times"},
                                      {"a", 0, 100, 16, fsUnderline | fsBold, "Times"},
                                      {"b", 9, 100, 16, fsUnderline, "Times"},
                                      {"c", 17, 100, 16, fsStrikeOut, "Times"}}));

    EXPECT_EQ(tree.MarkupWidth(rc.Canvas, attr, "100%"), 24);
    EXPECT_EQ(tree.MarkupWidth(rc.Canvas, attr, "50%x"), 24);
    EXPECT_EQ(tree.MarkupWidth(rc.Canvas, attr, "%"), 0);
    EXPECT_EQ(tree.LinesWidth(rc.Canvas, attr, {"a", "abc", "%%ab"}), 24);
    EXPECT_EQ(tree.LinesWidth(rc.Canvas, attr, {}), 0);

    RecordingCanvas fonts;
    tree.MarkupTextOut(fonts.Canvas, 0, 0, "%'Courier New'abc%''def", attr);
    EXPECT_EQ(Pieces(fonts), (std::vector<TextPiece>{{"abc", 0, 0, 16, fsUnderline, "Courier New"},
                                                     {"def", 24, 0, 16, fsUnderline, "Times"}}));
    EXPECT_EQ(fonts.Canvas.State.Font.Name, "Times");
    // Measuring draws nothing.
    EXPECT_EQ(tree.MarkupWidth(fonts.Canvas, attr, "xyz"), 24);
    EXPECT_EQ(Pieces(fonts).size(), 2u);
}

TEST_F(TreeMarkup, UnclosedFontNameAbandonsTheLine) {
    RecordingCanvas rc;
    EXPECT_EQ(tree.MarkupTextOut(rc.Canvas, 0, 0, "ab%'Times", DefaultNodeAttr()), 0);
    EXPECT_TRUE(Pieces(rc).empty());
    EXPECT_EQ(tree.ErrorCode, 31);
    EXPECT_EQ(sink.Last(), "\"'\" expected in \"ab%'Times\".");
}

TEST_F(TreeNodeBox, SizesAlignmentAndLineStarts) {
    RecordingCanvas rc;
    TNodeAttr attr = DefaultNodeAttr();
    const std::vector<std::string> lines{"%bVP", "[+fin]"};
    const int32_t w = tree.LinesWidth(rc.Canvas, attr, lines);
    EXPECT_EQ(w, 48);
    EXPECT_EQ(tree.NodeBox(rc.Canvas, 10, 20, w, lines, attr, true), (TRect{10, 20, 66, 62}));
    EXPECT_EQ(Pieces(rc), (std::vector<TextPiece>{{"VP", 14, 22, 16, fsBold, "Arial"},
                                                  {"[+fin]", 14, 42, 16, 0, "Arial"}}));
    ASSERT_EQ(rc.Ops(PictureOpKind::FillRect).size(), 1u);
    EXPECT_EQ(rc.Ops(PictureOpKind::FillRect)[0].Box, (TRect{10, 20, 66, 62}));
    EXPECT_EQ(rc.Ops(PictureOpKind::FillRect)[0].State.BrushColor, clWhite);

    const struct {
        uint16_t Flags;
        int32_t X;
    } aligned[] = {{naLeft, 4}, {naRight, 20}, {naCenter, 12}, {0, 12}, {naLeft | naCenter, 12}};
    for (const auto& a : aligned) {
        RecordingCanvas one;
        attr.Flags = a.Flags;
        tree.NodeBox(one.Canvas, 0, 0, 24, {"a"}, attr, true);
        EXPECT_EQ(Pieces(one).at(0).X, a.X) << a.Flags;
    }
    RecordingCanvas measured;
    EXPECT_EQ(tree.NodeBox(measured.Canvas, 0, 0, 24, {"a"}, attr, false), (TRect{0, 0, 32, 22}));
    EXPECT_TRUE(measured.Recorded.Empty());
}

TEST_F(TreeNodeBox, FramesAreDrawnOnlyWithTheFramesOption) {
    TNodeAttr attr = DefaultNodeAttr();
    attr.Flags |= naAngular;
    RecordingCanvas off;
    tree.NodeBox(off.Canvas, 0, 0, 24, {"a"}, attr, true);
    EXPECT_TRUE(off.Ops(PictureOpKind::Rectangle).empty());

    tree.Options = toFrames;
    RecordingCanvas angular;
    tree.NodeBox(angular.Canvas, 0, 0, 24, {"a"}, attr, true);
    ASSERT_EQ(angular.Ops(PictureOpKind::Rectangle).size(), 1u);
    EXPECT_EQ(angular.Ops(PictureOpKind::Rectangle)[0].Box, (TRect{0, 0, 32, 22}));
    EXPECT_EQ(angular.Ops(PictureOpKind::Rectangle)[0].State.BrushStyle, TBrushStyle::bsClear);

    SetFrameIndex(attr, 2);
    RecordingCanvas round;
    tree.NodeBox(round.Canvas, 0, 0, 24, {"a"}, attr, true);
    ASSERT_EQ(round.Ops(PictureOpKind::RoundRect).size(), 1u);
    EXPECT_EQ(round.Ops(PictureOpKind::RoundRect)[0].A, (TPoint{12, 12}));

    SetFrameIndex(attr, 3);
    RecordingCanvas brackets;
    tree.NodeBox(brackets.Canvas, 0, 0, 24, {"a"}, attr, true);
    using L = std::pair<TPoint, TPoint>;
    EXPECT_EQ(Lines(brackets), (std::vector<L>{{{6, 0}, {0, 0}},
                                               {{0, 0}, {0, 21}},
                                               {{0, 21}, {6, 21}},
                                               {{26, 0}, {31, 0}},
                                               {{31, 0}, {31, 21}},
                                               {{31, 21}, {26, 21}}}));
}

TEST_F(TreeDisplay, PictureSizeFollowsMarginsAndStoresBoxes) {
    RecordingCanvas screen;
    ReadTree(tree, "[S]");
    ASSERT_TRUE(tree.Show(screen.Canvas, 4, 4));
    EXPECT_EQ(tree.Metafile.Width, 24);
    EXPECT_EQ(tree.Metafile.Height, 30);
    EXPECT_EQ(tree.GetRoot()->Rect, (TRect{4, 4, 20, 26}));
    EXPECT_EQ(tree.GridExtent, (TRect{-1, -1, 0, 0}));
    // Shown on the screen canvas as well.
    EXPECT_EQ(screen.Recorded.Calls(), tree.Metafile.Calls());

    TRect box;
    EXPECT_EQ(tree.NodeAtXY(20, 26, box), tree.GetRoot());

    RecordingSink errors;
    TTree empty(true, errors);
    EXPECT_FALSE(empty.Show(screen.Canvas, 4, 4));
    EXPECT_TRUE(errors.Empty());
}

TEST_F(TreeDisplay, LinesTrianglesAndArrows) {
    RecordingCanvas screen;
    ReadTree(tree, "[r [a]]");
    NodeAt(tree, {0})->Attr.Flags |= naArrow | naTriangle;
    using L = std::pair<TPoint, TPoint>;

    // Neither option: a plain line from the bottom centre to above the child's box.
    ASSERT_TRUE(tree.Show(screen.Canvas, 4, 4));
    RecordingCanvas plain;
    tree.Metafile.Replay(plain.Canvas, 0, 0);
    EXPECT_EQ(Lines(plain), (std::vector<L>{{{12, 26}, {12, 68}}}));
    EXPECT_TRUE(plain.Ops(PictureOpKind::Polygon).empty());

    tree.Options = toArrows | toBoldLines;
    ASSERT_TRUE(tree.Show(screen.Canvas, 4, 4));
    RecordingCanvas arrow;
    tree.Metafile.Replay(arrow.Canvas, 0, 0);
    ASSERT_EQ(arrow.Ops(PictureOpKind::Polygon).size(), 1u);
    EXPECT_EQ(arrow.Ops(PictureOpKind::Polygon)[0].Points,
              (std::vector<TPoint>{{12, 68}, {8, 60}, {12, 62}, {16, 60}}));
    EXPECT_EQ(arrow.Ops(PictureOpKind::Line)[0].State.PenWidth, 2);

    tree.Options = toArrows | toTriangles;
    ASSERT_TRUE(tree.Show(screen.Canvas, 4, 4));
    RecordingCanvas triangle;
    tree.Metafile.Replay(triangle.Canvas, 0, 0);
    EXPECT_EQ(Lines(triangle),
              (std::vector<L>{{{12, 26}, {4, 67}}, {{4, 67}, {20, 67}}, {{20, 67}, {12, 26}}}));
    EXPECT_TRUE(triangle.Ops(PictureOpKind::Polygon).empty());
}

TEST_F(TreeDisplay, ArrowToTheLowerLeftPointsDownAndLeft) {
    RecordingCanvas screen;
    ReadTree(tree, "[r [a] [b]]");
    NodeAt(tree, {0})->Attr.Flags |= naArrow;
    tree.Options = toArrows;
    ASSERT_TRUE(tree.Show(screen.Canvas, 4, 4));
    // From (44, 26) to (12, 68): atan(42 / -32) is -52.7 degrees, so the angle is 127.
    RecordingCanvas expected;
    DrawArrowHead(expected.Canvas, {12, 68}, 127, true, 8, 4, -2);
    RecordingCanvas drawn;
    tree.Metafile.Replay(drawn.Canvas, 0, 0);
    ASSERT_EQ(drawn.Ops(PictureOpKind::Polygon).size(), 1u);
    EXPECT_EQ(drawn.Ops(PictureOpKind::Polygon)[0].Points,
              expected.Ops(PictureOpKind::Polygon)[0].Points);
}

TEST_F(TreeDisplay, AnnotationBoxesAndChains) {
    tree.Options = toFrames;
    RecordingCanvas screen;
    ReadTree(tree, "[S]");
    tree.GetRoot()->Cont = {"x"};
    tree.GetRoot()->Attr.Flags |= naAngular;
    ASSERT_TRUE(tree.Show(screen.Canvas, 4, 4));
    RecordingCanvas noBrackets;
    tree.Metafile.Replay(noBrackets.Canvas, 0, 0);
    EXPECT_EQ(noBrackets.Ops(PictureOpKind::Rectangle).size(), 1u);
    EXPECT_TRUE(noBrackets.Ops(PictureOpKind::Line).empty());
    // The annotation box hangs 4 below the name box.
    ASSERT_EQ(noBrackets.Ops(PictureOpKind::FillRect).size(), 2u);
    EXPECT_EQ(noBrackets.Ops(PictureOpKind::FillRect)[1].Box, (TRect{4, 30, 20, 52}));
    EXPECT_EQ(tree.Metafile.Height, 56);

    tree.GetRoot()->Attr.Flags |= naAnnoBrackets;
    ASSERT_TRUE(tree.Show(screen.Canvas, 4, 4));
    RecordingCanvas withBrackets;
    tree.Metafile.Replay(withBrackets.Canvas, 0, 0);
    EXPECT_EQ(withBrackets.Ops(PictureOpKind::Rectangle).size(), 1u);
    EXPECT_EQ(withBrackets.Ops(PictureOpKind::Line).size(), 6u);

    // A chain placeholder is a short vertical line; its box is not stored.
    tree.Options = toPlane | toPlaneOK;
    ReadTree(tree, "[r [a] [b [c]]]");
    ASSERT_TRUE(tree.Show(screen.Canvas, 4, 4));
    const TNode* chain = NodeAt(tree, {0});
    ASSERT_EQ(chain->Name, "$");
    EXPECT_EQ(chain->Rect, (TRect{-1, -1, -1, -1}));
    RecordingCanvas lines;
    tree.Metafile.Replay(lines.Canvas, 0, 0);
    const auto all = Lines(lines);
    const TPoint top{12, 64 + 6 - 2};
    EXPECT_NE(std::find(all.begin(), all.end(), std::make_pair(top, TPoint{12, 74})), all.end());
}

TEST_F(TreeDisplay, EveryOverflowingSizeIsRefusedWithOneMessage) {
    const std::string tooLarge =
        "Common error in \"Show\"/\"Draw\". The tree is too large to be drawn.";
    std::string manyLines = "a";
    for (int i = 1; i < 40000; ++i)
        manyLines += "|a";
    // Each case sets up a tree of two levels whose drawing leaves 32 bits somewhere.
    const std::pair<const char*, std::function<void(TTree&)>> cases[] = {
        {"40000 lines at line distance 65535",
         [&](TTree& tree) {
             NodeAt(tree, {0})->Name = manyLines;
             NodeAt(tree, {0})->Attr.LineDist = 65535;
         }},
        {"annotation lines at line distance 65535",
         [&](TTree& tree) {
             NodeAt(tree, {0})->Cont.assign(40000, "x");
             NodeAt(tree, {0})->Attr.LineDist = 65535;
         }},
        {"half distance above 2^30", [](TTree& tree) { tree.HalfHDist = (1 << 30) + 5; }},
        {"vertical distance above 2^30", [](TTree& tree) { tree.VDist = (1 << 30) + 5; }},
        {"vertical distance below -2^30", [](TTree& tree) { tree.VDist = -(1 << 30) - 5; }},
        {"30 million letters, wider than 32 bits as measured",
         [](TTree& tree) {
             NodeAt(tree, {0})->Name.assign(30000000, 'W');
             NodeAt(tree, {0})->Attr.FontSize = 96;
         }},
        {"a chain down to the last level",
         [](TTree& tree) {
             tree.VDist = 1 << 20;
             TNodePtr chain = tree.NewChainNode();
             chain->Levels = 1000;
             tree.GetRoot()->Children.push_back(std::move(chain));
         }},
    };
    for (const auto& [what, setUp] : cases) {
        SCOPED_TRACE(what);
        RecordingSink sink;
        TTree tree(true, sink);
        ReadTree(tree, "[r [a] [b]]");
        setUp(tree);
        ApproxTextMeasurer measurer; // Arial's widths: 'W' is 944 thousandths of an em
        MeasuringCanvas screen(measurer);
        EXPECT_FALSE(tree.Show(screen, 4, 4));
        EXPECT_EQ(tree.ErrorCode, 24);
        EXPECT_EQ(sink.Texts(), std::vector<std::string>{tooLarge});
    }

    // The distance of a file beyond twice the int32 range's half saturates instead of
    // wrapping to a negative one (which would give the default distance).
    NullSink sink;
    TTree tree(true, sink);
    tree.HalfHDist = (1 << 30) + 5;
    int32_t hDist = 0, vDist = 0;
    std::string font;
    uint8_t options = 0;
    TNodeAttr defaults;
    tree.GetParams(hDist, vDist, font, options, defaults);
    EXPECT_EQ(hDist, 2147483647);
    tree.HalfHDist = 1000;
    tree.GetParams(hDist, vDist, font, options, defaults);
    EXPECT_EQ(hDist, 2000);
}

} // namespace
} // namespace gramarbor
