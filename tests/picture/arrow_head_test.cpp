// Tests of the arrow heads that the canvas is given.
#include <gtest/gtest.h>

#include "picture/arrow_head.h"
#include "picture/picture.h"

using namespace gramarbor;

namespace {
std::vector<TPoint> ArrowPoints(TPoint tip, int angle, bool filled) {
    Picture picture;
    ApproxTextMeasurer measurer;
    PictureRecorder recorder(picture, measurer);
    DrawArrowHead(recorder, tip, angle, filled, 8, 4, -2);
    EXPECT_EQ(picture.Calls().size(), 1u);
    return picture.Calls().at(0).Points;
}
} // namespace

TEST(DrawArrowHead, TurnsClockwiseOnTheScreenFromPointingRight) {
    EXPECT_EQ(ArrowPoints({100, 50}, 0, true),
              (std::vector<TPoint>{{100, 50}, {92, 54}, {94, 50}, {92, 46}}));
    // 90 degrees points down: the wings lie above the tip.
    EXPECT_EQ(ArrowPoints({0, 0}, 90, true),
              (std::vector<TPoint>{{0, 0}, {-4, -8}, {0, -6}, {4, -8}}));
    EXPECT_EQ(ArrowPoints({0, 0}, 180, true),
              (std::vector<TPoint>{{0, 0}, {8, -4}, {6, 0}, {8, 4}}));
}

TEST(DrawArrowHead, FillsBlackAndLeavesTheBrushClearWhite) {
    Picture picture;
    ApproxTextMeasurer measurer;
    PictureRecorder recorder(picture, measurer);
    DrawArrowHead(recorder, {10, 10}, 46, true, 8, 4, -2);
    EXPECT_EQ(picture.Calls()[0].State.BrushStyle, TBrushStyle::bsSolid);
    EXPECT_EQ(picture.Calls()[0].State.BrushColor, clBlack);
    EXPECT_EQ(recorder.State.BrushStyle, TBrushStyle::bsClear);
    EXPECT_EQ(recorder.State.BrushColor, clWhite);

    recorder.State.BrushColor = clRed;
    recorder.State.BrushStyle = TBrushStyle::bsSolid;
    DrawArrowHead(recorder, {10, 10}, 0, false, 8, 4, -2);
    EXPECT_EQ(picture.Calls()[1].State.BrushColor, clRed);
    EXPECT_EQ(recorder.State.BrushColor, clRed);
}
