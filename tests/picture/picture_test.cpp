// Recording and replaying pictures, the approximate measurer and arrow heads.
#include <gtest/gtest.h>

#include "picture/arrow_head.h"
#include "picture/picture.h"

using namespace gramarbor;

namespace {

struct Recording {
    Picture Pic;
    ApproxTextMeasurer Measurer;
    PictureRecorder Canvas{Pic, Measurer};
};

TEST(Picture, RecordsCallsWithTheirStateAndReplaysThemMovedAndStretched) {
    Recording source;
    source.Pic.Width = 100;
    source.Pic.Height = 50;
    source.Canvas.State.PenWidth = 2;
    source.Canvas.MoveTo(1, 2);
    source.Canvas.LineTo(3, 4);
    source.Canvas.State.PenWidth = 1;
    source.Canvas.LineTo(5, 6);
    source.Canvas.State.Font.Height = 16;
    source.Canvas.Rectangle({0, 0, 100, 50});
    source.Canvas.TextOut(10, 10, "S");
    const auto& calls = source.Pic.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].State.PenWidth, 2);
    EXPECT_EQ(calls[1].A, (TPoint{3, 4}));
    EXPECT_EQ(calls[1].B, (TPoint{5, 6}));

    Recording moved, stretched;
    source.Pic.Replay(moved.Canvas, 5, 7);
    EXPECT_EQ(moved.Pic.Calls()[2].Box, (TRect{5, 7, 105, 57}));
    EXPECT_EQ(moved.Pic.Calls()[3].A, (TPoint{15, 17}));
    source.Pic.StretchReplay(stretched.Canvas, {0, 0, 200, 100});
    EXPECT_EQ(stretched.Pic.Calls()[2].Box, (TRect{0, 0, 200, 100}));
    EXPECT_EQ(stretched.Pic.Calls()[3].State.Font.Height, 32);

    source.Pic.Clear();
    EXPECT_TRUE(source.Pic.Empty());
    EXPECT_EQ(source.Pic.Width, 0);
}

// Its widths per character and per font size are checked by the drawings of networks
// (RtnDrawing) and trees (TreeDrawing, QtCanvasTest).
TEST(ApproxTextMeasurer, EmptyTextHasNoWidth) {
    EXPECT_EQ(ApproxTextMeasurer().TextWidth(TFont{}, ""), 0);
}

// Angles turn clockwise on the screen from pointing right; a filled head is black and
// leaves the brush clear and white, an open one keeps the brush.
TEST(DrawArrowHead, TurnsClockwiseFromPointingRight) {
    const std::pair<int, std::vector<TPoint>> cases[] = {
        {0, {{100, 50}, {92, 54}, {94, 50}, {92, 46}}},
        {90, {{100, 50}, {96, 42}, {100, 44}, {104, 42}}}, // pointing down
        {180, {{100, 50}, {108, 46}, {106, 50}, {108, 54}}},
    };
    Recording r;
    for (const auto& [angle, points] : cases) {
        r.Canvas.State.BrushColor = clRed;
        DrawArrowHead(r.Canvas, {100, 50}, angle, true, 8, 4, -2);
        EXPECT_EQ(r.Pic.Calls().back().Points, points) << angle;
        EXPECT_EQ(r.Pic.Calls().back().State.BrushColor, clBlack);
        EXPECT_EQ(r.Pic.Calls().back().State.BrushStyle, TBrushStyle::bsSolid);
        EXPECT_EQ(r.Canvas.State.BrushStyle, TBrushStyle::bsClear);
        EXPECT_EQ(r.Canvas.State.BrushColor, clWhite);
    }
    r.Canvas.State.BrushColor = clRed;
    r.Canvas.State.BrushStyle = TBrushStyle::bsSolid;
    DrawArrowHead(r.Canvas, {10, 10}, 46, false, 8, 4, -2);
    EXPECT_EQ(r.Pic.Calls().size(), 4u);
    EXPECT_EQ(r.Pic.Calls().back().State.BrushColor, clRed);
    EXPECT_EQ(r.Canvas.State.BrushColor, clRed);
}

} // namespace
