// Limits of tree drawing: sizes that overflow (trees beyond the layout grid and the
// drawings themselves, call by call, are tree scripts).
#include <gtest/gtest.h>

#include <functional>

#include "tree/canvas_measurer.h"
#include "tree/tree.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::NodeAt;
using testing::ReadTree;
using TreeDrawing = testing::TreeTest;

TEST_F(TreeDrawing, EveryOverflowingSizeIsRefusedWithOneMessage) {
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
        EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Common error in \"Show\"/\"Draw\". The "
                                                         "tree is too large to be drawn."});
    }

    // The distance of a file beyond twice the int32 range's half saturates instead of
    // wrapping to a negative one (which would give the default distance).
    int32_t hDist = 0, vDist = 0;
    std::string font;
    uint8_t options = 0;
    TNodeAttr defaults;
    for (const auto& [half, whole] : {std::pair{(1 << 30) + 5, 2147483647}, {1000, 2000}}) {
        tree.HalfHDist = half;
        tree.GetParams(hDist, vDist, font, options, defaults);
        EXPECT_EQ(hDist, whole);
    }
}

} // namespace
} // namespace gramarbor
