// Node markup, node boxes and tree drawing: the recorded calls of each drawing are
// kept in tests/data/tree/drawings.txt; widths, boxes, sizes and limits are checked here.
#include <gtest/gtest.h>

#include <functional>

#include "tree/canvas_measurer.h"
#include "tree/tree.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::NodeAt;
using testing::ReadTree;
using testing::RecordingCanvas;
using TreeDrawing = testing::TreeTest;

TEST_F(TreeDrawing, DrawingsMatchTheirRecords) {
    std::string records;
    // Draws on a new canvas and keeps its calls under the title.
    const auto record = [&](const std::string& title, const std::function<void(Canvas&)>& draw) {
        RecordingCanvas rc;
        draw(rc.Canvas);
        records += "# " + title + "\n" + testing::Dump(rc.Recorded);
    };
    // Shows the tree and keeps the calls of its picture.
    const auto show = [&](const std::string& title) {
        RecordingCanvas screen;
        ASSERT_TRUE(tree.Show(screen.Canvas, 4, 4)) << title;
        EXPECT_EQ(screen.Recorded.Calls(), tree.Metafile.Calls()) << "shown on the screen too";
        records += "# " + title + "\n" + testing::Dump(tree.Metafile);
    };
    TNodeAttr attr = DefaultNodeAttr();
    record("indices in the smaller font, shifted; the other index ends the first", [&](Canvas& c) {
        EXPECT_EQ(tree.MarkupTextOut(c, 10, 20, "NP%_i", attr), 22);
        EXPECT_EQ(tree.MarkupTextOut(c, 10, 40, "x%^2%^y", attr), 22);
        tree.MarkupTextOut(c, 0, 0, "a%^b%_c", attr);
    });
    tree.FontName = "Times";
    attr.FontStyle = fsUnderline;
    record("styles toggle and reset, %% is a percent sign, fonts switch and return",
           [&](Canvas& c) {
               tree.MarkupTextOut(c, 0, 0, "%b%ia%%b", attr);
               tree.MarkupTextOut(c, 0, 100, "%Ba%bb%S%uc", attr);
               tree.MarkupTextOut(c, 0, 200, "%'Courier New'abc%''def", attr);
               EXPECT_EQ(c.State.Font.Name, "Times");
               EXPECT_EQ(tree.MarkupWidth(c, attr, "xyz"), 24); // measuring draws nothing
           });
    tree.FontName = "Arial";
    attr = DefaultNodeAttr();
    record("a node box: white, text lines from the top left, bold markup", [&](Canvas& c) {
        const std::vector<std::string> lines{"%bVP", "[+fin]"};
        EXPECT_EQ(tree.LinesWidth(c, attr, lines), 48);
        EXPECT_EQ(tree.NodeBox(c, 10, 20, 48, lines, attr, true), (TRect{10, 20, 66, 62}));
    });
    record("aligned left, right, centre, by default, centre among several", [&](Canvas& c) {
        for (const uint16_t flags :
             {naLeft, naRight, naCenter, uint16_t(0), uint16_t(naLeft | naCenter)}) {
            attr.Flags = flags;
            tree.NodeBox(c, 0, 0, 24, {"a"}, attr, true);
        }
    });
    attr = DefaultNodeAttr();
    attr.Flags |= naAngular;
    record("no frames without the option, then angular, round and brackets", [&](Canvas& c) {
        tree.NodeBox(c, 0, 0, 24, {"a"}, attr, true);
        tree.Options = toFrames;
        for (const int frame : {1, 2, 3}) {
            if (frame > 1) SetFrameIndex(attr, frame);
            tree.NodeBox(c, 0, 0, 24, {"a"}, attr, true);
        }
    });
    ReadTree(tree, "[r [a]]");
    NodeAt(tree, {0})->Attr.Flags |= naArrow | naTriangle;
    tree.Options = 0;
    show("a plain line from the bottom centre to above the child's box");
    tree.Options = toArrows | toBoldLines;
    show("an arrow, bold lines");
    tree.Options = toArrows | toTriangles;
    show("a triangle instead of the arrow");
    ReadTree(tree, "[r [a] [b]]");
    NodeAt(tree, {0})->Attr.Flags |= naArrow;
    tree.Options = toArrows;
    show("an arrow to the lower left: atan(42 / -32) is -52.7 degrees, the head at 127");
    ReadTree(tree, "[S]");
    tree.GetRoot()->Cont = {"x"};
    tree.GetRoot()->Attr.Flags |= naAngular;
    tree.Options = toFrames;
    show("the annotation box hangs 4 below the name box");
    EXPECT_EQ(tree.Metafile.Height, 56);
    tree.GetRoot()->Attr.Flags |= naAnnoBrackets;
    show("annotation brackets");
    tree.Options = toPlane | toPlaneOK;
    ReadTree(tree, "[r [a] [b [c]]]");
    show("a chain placeholder is a short vertical line");
    EXPECT_EQ(NodeAt(tree, {0})->Rect, (TRect{-1, -1, -1, -1})) << "a chain's box is not stored";
    testing::ExpectGolden("tree/drawings.txt", records);
}

TEST_F(TreeDrawing, MeasuresMarkupAndBoxesWithoutDrawing) {
    RecordingCanvas rc;
    TNodeAttr attr = DefaultNodeAttr();
    for (const auto& [text, width] :
         {std::pair<const char*, int32_t>{"100%", 24}, {"50%x", 24}, {"%", 0}})
        EXPECT_EQ(tree.MarkupWidth(rc.Canvas, attr, text), width) << text;
    EXPECT_EQ(tree.LinesWidth(rc.Canvas, attr, {"a", "abc", "%%ab"}), 24);
    EXPECT_EQ(tree.LinesWidth(rc.Canvas, attr, {}), 0);
    EXPECT_EQ(tree.NodeBox(rc.Canvas, 0, 0, 24, {"a"}, attr, false), (TRect{0, 0, 32, 22}));
    EXPECT_TRUE(rc.Recorded.Empty());
    // An unclosed font name abandons the line.
    EXPECT_EQ(tree.MarkupTextOut(rc.Canvas, 0, 0, "ab%'Times", attr), 0);
    EXPECT_TRUE(rc.Recorded.Empty());
    EXPECT_EQ(tree.ErrorCode, 31);
    EXPECT_EQ(sink.Last(), "\"'\" expected in \"ab%'Times\".");
}

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

TEST_F(TreeDrawing, TreesBeyondTheGridAreRefused) {
    // A complete tree of four children per node, eight levels deep: 65536 leaves
    // need 131071 columns.
    tree.Init(tree.CreateNode("r"));
    std::vector<TNode*> level{tree.GetRoot()};
    for (int depth = 0; depth < 8; ++depth) {
        std::vector<TNode*> next;
        for (TNode* node : level)
            for (int i = 0; i < 4; ++i) {
                node->Children.push_back(tree.CreateNode("n"));
                next.push_back(node->Children.back().get());
            }
        level = std::move(next);
    }
    EXPECT_FALSE(tree.Positions());
    EXPECT_EQ(tree.ErrorCode, 24);
    EXPECT_EQ(sink.Last(), "Common error in \"Show\"/\"Draw\". The tree does not fit into the "
                           "layout grid of 32767 columns and levels.");

    // Chains from stored levels far apart would leave the grid.
    tree.ResetError();
    ReadTree(tree, "[r [a] [b [c]]]");
    NodeAt(tree, {0})->Y = -30000;
    NodeAt(tree, {1, 0})->Y = 10000;
    EXPECT_FALSE(tree.PlaneTree(tree.GetRoot(), true));
    EXPECT_EQ(tree.ErrorCode, 24);
    EXPECT_TRUE(tree.PlaneTree(tree.GetRoot(), false));
    EXPECT_EQ(NodeAt(tree, {0})->Y, 10000);
    EXPECT_FALSE(tree.RemovePlaneChains(nullptr));

    // Distances that would leave the drawing coordinates are refused too.
    tree.ResetError();
    ReadTree(tree, "[r [a] [b]]");
    tree.SetParams(2000000000, 64, "", 0, TNodeAttr{});
    testing::RecordingCanvas rc;
    EXPECT_FALSE(tree.Show(rc.Canvas, 4, 4));
    EXPECT_EQ(tree.ErrorCode, 24);
}

} // namespace
} // namespace gramarbor
