// Tests of recording and replaying pictures.
#include <gtest/gtest.h>

#include "picture/picture.h"

using namespace gramarbor;

TEST(Picture, RecordsCallsWithTheStateTheyWereDrawnWith) {
    Picture picture;
    ApproxTextMeasurer measurer;
    PictureRecorder recorder(picture, measurer);
    recorder.State.PenWidth = 2;
    recorder.MoveTo(1, 2);
    recorder.LineTo(3, 4);
    recorder.State.PenWidth = 1;
    recorder.LineTo(5, 6);
    ASSERT_EQ(picture.Calls().size(), 2u);
    EXPECT_EQ(picture.Calls()[0].State.PenWidth, 2);
    EXPECT_EQ(picture.Calls()[1].A, (TPoint{3, 4}));
    EXPECT_EQ(picture.Calls()[1].B, (TPoint{5, 6}));
}

TEST(Picture, ReplaysMovedAndStretched) {
    Picture source;
    ApproxTextMeasurer measurer;
    PictureRecorder recorder(source, measurer);
    source.Width = 100;
    source.Height = 50;
    recorder.State.Font.Height = 16;
    recorder.Rectangle({0, 0, 100, 50});
    recorder.TextOut(10, 10, "S");

    Picture moved;
    PictureRecorder movedRecorder(moved, measurer);
    source.Replay(movedRecorder, 5, 7);
    EXPECT_EQ(moved.Calls()[0].Box, (TRect{5, 7, 105, 57}));
    EXPECT_EQ(moved.Calls()[1].A, (TPoint{15, 17}));

    Picture stretched;
    PictureRecorder stretchedRecorder(stretched, measurer);
    source.StretchReplay(stretchedRecorder, {0, 0, 200, 100});
    EXPECT_EQ(stretched.Calls()[0].Box, (TRect{0, 0, 200, 100}));
    EXPECT_EQ(stretched.Calls()[1].State.Font.Height, 32);

    source.Clear();
    EXPECT_TRUE(source.Empty());
    EXPECT_EQ(source.Width, 0);
}

TEST(ApproxTextMeasurer, GrowsWithTheFontAndTheText) {
    ApproxTextMeasurer measurer;
    TFont font;
    font.Height = 16;
    const int32_t narrow = measurer.TextWidth(font, "il");
    const int32_t wide = measurer.TextWidth(font, "WM");
    EXPECT_LT(narrow, wide);
    font.Height = 32;
    EXPECT_NEAR(measurer.TextWidth(font, "WM"), 2 * wide, 1);
    EXPECT_EQ(measurer.TextWidth(font, ""), 0);
}
