// Drawn networks (kept as SVG documents in tests/data/rtn, to be looked at in any
// viewer), split pictures, focus frames and where the dialogs open. With
// GRAMARBOR_UPDATE_GOLDEN=1 in the environment the documents are written anew.
#include "rtn/rtn_drawing.h"

#include <gtest/gtest.h>

#include "common/golden_file.h"
#include "picture/svg_writer.h"
#include "rtn/cfg_to_rtn.h"
#include "rtn/rtn_workspace.h"
#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;

TRtn Convert(const TRuleList& rules) {
    TRtn rtn;
    NullSink sink;
    EXPECT_TRUE(CfgToRtn(rules, rtn, sink));
    return rtn;
}

// Each drawing as its file has it: node circles, the arcs of each slot with their
// arrow heads and labels, net names, the pop-arcs into the reserved column.
TEST(RtnDrawing, DrawingsAreAsRecorded) {
    // X: a loop back and a jump below it.
    const TRuleList slots = Rules({"S = [NP] VP", "X = {\"the\"}", "Y = <A,B,C,D,E>"});
    const TRuleList two = Rules({"S = NP VP"});
    const struct {
        const char* File;
        TRuleList Rules;
        int NodeSize, NodeDist;
        bool LinesAllowed;
    } cases[] = {
        {"drawing_slots.svg", slots, 0, 0, true},
        {"drawing_big_nodes.svg", two, 16, 0, true},
        // Arcs only: a single condition is a small arc, the distance bridged by lines.
        {"drawing_far_arcs.svg", two, 0, 16, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        ApproxTextMeasurer measurer;
        Picture picture;
        ASSERT_TRUE(DrawRtn(picture, measurer, Convert(c.Rules),
                            MakeRtnMetrics(c.NodeSize, c.NodeDist), c.LinesAllowed));
        const std::string svg = WriteSvgText(picture, measurer);
        testing::ExpectGolden(std::string("rtn/") + c.File, svg);
    }
}

TEST(RtnDrawing, SplitPicturesHoldOnlyPartsWithNets) {
    ApproxTextMeasurer measurer;
    const TRtnMetrics metrics = MakeRtnMetrics(0, 0);
    const TRtn seven = Convert(Rules(Example("quickstart.cfg")));
    TRtn many;
    for (int i = 0; i < 3; ++i)
        many.insert(many.end(), seven.begin(), seven.end());
    const struct {
        std::size_t Nets;
        int Parts;
        std::vector<int32_t> Heights;
    } cases[] = {
        {7, 3, {3 * 128, 3 * 128, 128}},     {3, 3, {128, 128, 128}},
        {4, 3, {2 * 128, 2 * 128}},          {1, 3, {128}},
        {21, -1, {10 * 128, 10 * 128, 128}}, // ten per part
    };
    for (const auto& c : cases) {
        std::vector<Picture> parts;
        ASSERT_TRUE(MakeSplitPictures(parts, measurer, TRtn(many.begin(), many.begin() + c.Nets),
                                      metrics, true, c.Parts));
        std::vector<int32_t> heights;
        for (const Picture& part : parts)
            heights.push_back(part.Height);
        EXPECT_EQ(heights, c.Heights) << c.Nets;
        EXPECT_EQ(parts[0].Width, 4 * 128);
        // Rows restart at 0 in every part: the last part draws its first net in row 0.
        bool nameInRowZero = false;
        for (const PictureOp& op : parts.back().Calls())
            nameInRowZero |=
                op.Kind == PictureOpKind::Text && op.Text.ends_with(':') && op.A.Y == 56;
        EXPECT_TRUE(nameInRowZero) << c.Nets;
    }
    // Names with an extension are among the golden command lines.
    EXPECT_EQ(SplitFileNames("/a.b/net", 1), (std::vector<std::string>{"/a.b/net_0"}));
}

// Where the focus goes is in the network sheet's scripts, the middle of a transition's
// frame below it as the anchor of the dialog shown.
TEST(RtnLayout, FocusFramesAndDialogPlaces) {
    const TRtnMetrics m = MakeRtnMetrics(0, 0);
    const TFocusFrame name = FocusFrameGeometry(m, -1, 0);
    EXPECT_EQ(name.Box, (TRect{0, 0, 48, 128}));
    EXPECT_TRUE(name.Filled);
    const TFocusFrame transition = FocusFrameGeometry(m, 1, 1);
    EXPECT_EQ(transition.Box, (TRect{176, 128, 352, 256}));
    EXPECT_FALSE(transition.Filled);
    // The dialogs stay on the screen.
    EXPECT_EQ(PlaceCondDlg({400, 256}, 300, 200, 1280, 1024), (TPoint{250, 256}));
    EXPECT_EQ(PlaceCondDlg({400, 900}, 300, 200, 1280, 1024), (TPoint{250, 900 - 200 - 128}));
    EXPECT_EQ(PlaceCondDlg({1250, 256}, 300, 200, 1280, 1024), (TPoint{980, 256}));
    EXPECT_EQ(PlaceNetNameDlg({0, -30}), (TPoint{0, 0}));
}

} // namespace
} // namespace gramarbor
