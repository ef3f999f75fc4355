// A tree with every markup feature, frame kind, triangle, arrow and annotation drawn
// through the Qt canvas: the picture comes out at its size with ink where the
// layout puts the nodes.
#include <gtest/gtest.h>

#include <QImage>

#include "base/message_sink.h"
#include "qtcanvas/gui_session.h"
#include "qtcanvas/picture_export.h"
#include "qtcanvas/qt_text_measurer.h"
#include "tree/canvas_measurer.h"
#include "tree/tree.h"

using namespace gramarbor;

namespace {

bool HasInk(const QImage& image, const TRect& box) {
    for (int y = std::max(0, box.Top); y < std::min(image.height(), box.Bottom); ++y)
        for (int x = std::max(0, box.Left); x < std::min(image.width(), box.Right); ++x)
            if (qGray(image.pixel(x, y)) < 128) return true;
    return false;
}

} // namespace

TEST(TreeRender, DrawsMarkupFramesTrianglesArrowsAndAnnotations) {
    EnsureGuiApplication();
    RecordingSink sink;
    TTree tree(true, sink);
    tree.SetParams(64, 64, "Arial", toFrames | toTriangles | toArrows, TNodeAttr{});
    ASSERT_TRUE(tree.StrToTree("[\"%bS%b|[+fin]\" [NP%_i [%iDet%i] [N%^2]] [VP [%uV%u] "
                               "[%sold%s] [\"%'Courier New'PP%''|x\"]]]"));
    TNode* root = tree.GetRoot();
    ASSERT_EQ(root->Children.size(), 2u);
    root->Attr.Flags = naCenter | naRound;
    root->Cont = {"annotation", "second line"};
    root->Attr.Flags |= naAnnoBrackets;
    TNode* np = root->Children[0].get();
    np->Attr.Flags = naLeft | naAngular;
    np->Children[0]->Attr.Flags = naLeft | naArrow;
    TNode* vp = root->Children[1].get();
    vp->Attr.Flags = naRight | naBrackets;
    vp->Children[2]->Attr.Flags = naCenter | naTriangle;

    QtTextMeasurer measurer;
    MeasuringCanvas screen(measurer);
    ASSERT_TRUE(tree.Show(screen, 4, 4));
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    const Picture& picture = tree.GetMetafile();
    const QImage image = RenderPictureImage(picture);
    ASSERT_EQ(image.width(), picture.Width);
    ASSERT_EQ(image.height(), picture.Height);
    image.save(QStringLiteral("/tmp/gramarbor-tree-render.png"));

    // Every node's box holds ink, and so does the space between the root and a child
    // (its connecting line).
    std::vector<TNode*> nodes{root};
    for (std::size_t i = 0; i < nodes.size(); ++i)
        for (auto& child : nodes[i]->Children)
            nodes.push_back(child.get());
    for (TNode* node : nodes)
        EXPECT_TRUE(HasInk(image, node->Rect)) << node->Name;
    const TRect& child = np->Rect;
    const TRect between{std::min(root->Rect.Left, child.Right), root->Rect.Bottom,
                        std::max(root->Rect.Right, child.Right), child.Top};
    EXPECT_TRUE(HasInk(image, between));
    // The annotation box hangs below the root's name box.
    EXPECT_TRUE(HasInk(
        image, {root->Rect.Left, root->Rect.Bottom + 4, root->Rect.Right, root->Rect.Bottom + 40}));
}

TEST(TreeRender, ChainNodesDrawTheSamePixelsAsTheirPlaceholders) {
    EnsureGuiApplication();
    QtTextMeasurer measurer;
    MeasuringCanvas screen(measurer);
    std::string comb;
    for (int i = 0; i < 8; ++i)
        comb += "[x [a] ";
    comb += "[b]" + std::string(8, ']');
    for (const uint8_t bold : {uint8_t(0), toBoldLines}) {
        SCOPED_TRACE(int(bold));
        NullSink sink;
        TTree chains(true, sink), placeholders(true, sink);
        const uint8_t options = toPlane | toPlaneOK | bold;
        chains.SetParams(64, 40, "Arial", options, TNodeAttr{});
        placeholders.SetParams(64, 40, "Arial", options, TNodeAttr{});
        ASSERT_TRUE(chains.StrToTree(comb));
        ASSERT_TRUE(chains.Show(screen, 4, 4));
        // The same tree with one node for each placeholder: its text read back.
        std::string text;
        ASSERT_TRUE(chains.TreeToStr(text));
        ASSERT_TRUE(placeholders.StrToTree(text));
        ASSERT_TRUE(placeholders.Show(screen, 4, 4));
        EXPECT_LT(chains.GetMetafile().Calls().size(), placeholders.GetMetafile().Calls().size());
        const QImage drawn = RenderPictureImage(chains.GetMetafile());
        ASSERT_FALSE(drawn.isNull());
        EXPECT_EQ(drawn, RenderPictureImage(placeholders.GetMetafile()));
    }
}

TEST(TreeRender, TidyLayoutWithLongWordsAndMovementArrows) {
    EnsureGuiApplication();
    RecordingSink sink;
    TTree tree(true, sink);
    tree.SetParams(32, 64, "Arial", toTidy, TNodeAttr{});
    ASSERT_TRUE(tree.StrToTree("[CP [NP [Hippopotami<1]] [C' [C [do]] [IP [NP "
                               "[constitutionalities<2]] [VP [V [understand]] [NP [t>1]] "
                               "[PP [t>2]]]]]]"));
    QtTextMeasurer measurer;
    MeasuringCanvas screen(measurer);
    ASSERT_TRUE(tree.Show(screen, 4, 4));
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    const QImage image = RenderPictureImage(tree.GetMetafile());
    image.save(QStringLiteral("/tmp/gramarbor-tidy-arrows.png"));

    // The long words' boxes stay apart by the distance, so neither is cut.
    std::vector<const TNode*> leaves, pending{tree.GetRoot()};
    while (!pending.empty()) {
        const TNode* node = pending.back();
        pending.pop_back();
        if (node->Children.empty()) leaves.push_back(node);
        for (const auto& child : node->Children)
            pending.push_back(child.get());
    }
    for (const TNode* a : leaves) {
        for (const TNode* b : leaves) {
            if (a != b && a->Y == b->Y && a->Rect.Left < b->Rect.Left) {
                EXPECT_GE(b->Rect.Left - a->Rect.Right, 32) << a->Name << " " << b->Name;
            }
        }
    }
    // Both arrows run below the lowest leaves, and their heads reach the targets.
    int32_t lowest = 0;
    for (const TNode* leaf : leaves)
        lowest = std::max(lowest, leaf->Rect.Bottom);
    EXPECT_TRUE(HasInk(image, {0, lowest + 4, image.width(), image.height()}));
    for (const TNode* leaf : leaves)
        if (leaf->Name == "Hippopotami" || leaf->Name == "constitutionalities") {
            const int32_t x = (leaf->Rect.Left + leaf->Rect.Right) / 2;
            EXPECT_TRUE(HasInk(image, {x - 10, leaf->Rect.Bottom, x + 10, leaf->Rect.Bottom + 8}))
                << leaf->Name;
        }
}
