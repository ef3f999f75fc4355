// Text too wide to measure in 32 bits (other sizes that overflow, trees beyond the
// layout grid and the drawings themselves, call by call, are tree scripts).
#include <gtest/gtest.h>

#include "tree/canvas_measurer.h"
#include "tree/tree.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::NodeAt;
using testing::ReadTree;
using TreeDrawing = testing::TreeTest;

// 30 million letters at Arial's widths ('W' is 944 thousandths of an em) measure
// wider than 32 bits.
TEST_F(TreeDrawing, TextWiderThan32BitsIsRefusedWithOneMessage) {
    ReadTree(tree, "[r [a] [b]]");
    NodeAt(tree, {0})->Name.assign(30000000, 'W');
    NodeAt(tree, {0})->Attr.FontSize = 96;
    ApproxTextMeasurer measurer;
    MeasuringCanvas screen(measurer);
    EXPECT_FALSE(tree.Show(screen, 4, 4));
    EXPECT_EQ(tree.ErrorCode, 24);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Common error in \"Show\"/\"Draw\". The "
                                                     "tree is too large to be drawn."});
}

} // namespace
} // namespace gramarbor
