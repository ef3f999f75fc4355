// The SVG writer's documents drawn by Qt's SVG renderer against the Qt canvas
// replaying the same pictures: trees and a network come out with every shape and
// every text on the same pixels, within one pixel for antialiased edges. Trees drawn
// through the Qt canvas: chains and tidy layouts with long words and arrows.
#include <gtest/gtest.h>

#include <QPainter>
#include <QSvgRenderer>

#include "base/message_sink.h"
#include "picture/svg_writer.h"
#include "qtcanvas/gui_session.h"
#include "qtcanvas/picture_export.h"
#include "qtcanvas/qt_text_measurer.h"
#include "rtn/rtn_drawing.h"
#include "rtn/rtn_file.h"
#include "tree/canvas_measurer.h"
#include "tree/tree.h"

using namespace gramarbor;

namespace {

// Pixels clearly darker or more coloured than the white background: antialiased
// edges covered less than about half do not count.
bool Ink(QRgb pixel) {
    return std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)}) < 160;
}

QRect InkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Ink(image.pixel(x, y))) box |= QRect(x, y, 1, 1);
    return box;
}

bool HasInk(const QImage& image, const TRect& box) {
    return !InkBox(image.copy(box.Left, box.Top, box.Right - box.Left, box.Bottom - box.Top))
                .isEmpty();
}

bool Near(const QRect& a, const QRect& b, int tolerance) {
    return std::abs(a.left() - b.left()) <= tolerance && std::abs(a.top() - b.top()) <= tolerance &&
           std::abs(a.right() - b.right()) <= tolerance &&
           std::abs(a.bottom() - b.bottom()) <= tolerance;
}

// Ink pixels of one image with no ink within one pixel in the other.
int Unmatched(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!Ink(a.pixel(x, y))) continue;
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx)
                    found = b.valid(x + dx, y + dy) && Ink(b.pixel(x + dx, y + dy));
            count += !found;
        }
    return count;
}

} // namespace

class SvgMatch : public testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }

    QImage RenderSvg(const Picture& picture) {
        const std::string svg = WriteSvgText(picture, Measurer);
        QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
        EXPECT_TRUE(renderer.isValid()) << svg;
        QImage image(std::max(1, picture.Width), std::max(1, picture.Height), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        renderer.render(&painter, QRectF(0, 0, image.width(), image.height()));
        return image;
    }

    Picture TreePicture(const std::string& brackets, uint8_t options) {
        NullSink sink;
        TTree tree(true, sink);
        tree.SetParams(64, 64, "Arial", options, TNodeAttr{});
        EXPECT_TRUE(tree.StrToTree(brackets)) << brackets;
        MeasuringCanvas screen(Measurer);
        EXPECT_TRUE(tree.Show(screen, 4, 4)) << brackets;
        return tree.GetMetafile();
    }

    // Every call of the picture on its own: the ink of the SVG and of the canvas
    // covers the same box, within a pixel; in the whole picture no ink of one lies
    // more than a pixel from ink of the other.
    void ExpectMatch(const Picture& picture, const std::string& what) {
        ASSERT_FALSE(picture.Empty()) << what;
        int compared = 0;
        for (const PictureOp& op : picture.Calls()) {
            Picture single;
            single.Width = picture.Width;
            single.Height = picture.Height;
            single.Add(op);
            const QRect canvas = InkBox(RenderPictureImage(single));
            const QRect svg = InkBox(RenderSvg(single));
            EXPECT_TRUE(Near(canvas, svg, 1))
                << what << ": call " << static_cast<int>(op.Kind) << " '" << op.Text << "' at ("
                << op.A.X << ", " << op.A.Y << ") box (" << op.Box.Left << ", " << op.Box.Top
                << ")";
            compared += !canvas.isEmpty();
        }
        EXPECT_GT(compared, 0) << what;
        const QImage canvas = RenderPictureImage(picture);
        const QImage svg = RenderSvg(picture);
        ASSERT_EQ(canvas.size(), svg.size());
        EXPECT_EQ(Unmatched(canvas, svg), 0) << what;
        EXPECT_EQ(Unmatched(svg, canvas), 0) << what;
    }

    QtTextMeasurer Measurer;
};

TEST_F(SvgMatch, TreesWithEveryMarkupFrameAndConnection) {
    struct Case {
        const char* Brackets;
        uint8_t Options;
    } cases[] = {
        {"[S [NP [Det [the]] [N [dog]]] [VP [V [barks]]]]", 0},
        {"[S [NP [Det [the]] [N [dog]]] [VP [V [barks]]]]", toBoldLines | toArrows},
        {"[\"%bS%b|[+fin]\" [NP%_i [%iDet%i] [N%^2]] [VP [%uV%u] [%sold%s] "
         "[\"%'Courier New'PP%''|x\"]]]",
         toFrames},
        {"[CP [NP [Hippopotami<1]] [C' [C [do]] [IP [NP [they]] [VP [V [see]] [NP [t>1]]]]]]",
         toTidy},
    };
    for (const Case& c : cases) {
        const Picture picture = TreePicture(c.Brackets, c.Options);
        ExpectMatch(picture, c.Brackets);
    }
}

// Every frame kind, a triangle, an arrow and an annotation; with markup as well, the
// canvas draws ink in every node's box and between the root and its children.
TEST_F(SvgMatch, FramesTrianglesArrowsAndAnnotations) {
    for (const char* brackets : {"[S [NP [Det] [N]] [VP [V] [PP]]]",
                                 "[\"%bS%b|[+fin]\" [NP%_i [%iDet%i] [N%^2]] [VP [%uV%u] [%sold%s] "
                                 "[\"%'Courier New'PP%''|x\"]]]"}) {
        SCOPED_TRACE(brackets);
        RecordingSink sink;
        TTree tree(true, sink);
        tree.SetParams(64, 64, "Arial", toFrames | toTriangles | toArrows, TNodeAttr{});
        ASSERT_TRUE(tree.StrToTree(brackets));
        TNode* root = tree.GetRoot();
        root->Attr.Flags = naCenter | naRound | naAnnoBrackets;
        root->Cont = {"annotation", "second line"};
        TNode* np = root->Children[0].get();
        np->Attr.Flags = naLeft | naAngular;
        np->Children[0]->Attr.Flags = naLeft | naArrow;
        TNode* vp = root->Children[1].get();
        vp->Attr.Flags = naRight | naBrackets;
        vp->Children.back()->Attr.Flags = naCenter | naTriangle;
        MeasuringCanvas screen(Measurer);
        ASSERT_TRUE(tree.Show(screen, 4, 4));
        EXPECT_TRUE(sink.Empty()) << sink.Last();
        if (root->Children[1]->Children.size() == 2) {
            ExpectMatch(tree.GetMetafile(), "decorated tree");
            continue;
        }
        const QImage image = RenderPictureImage(tree.GetMetafile());
        std::vector<TNode*> nodes{root};
        for (std::size_t i = 0; i < nodes.size(); ++i)
            for (auto& child : nodes[i]->Children)
                nodes.push_back(child.get());
        for (TNode* node : nodes)
            EXPECT_TRUE(HasInk(image, node->Rect)) << node->Name;
        EXPECT_TRUE(HasInk(image, {std::min(root->Rect.Left, np->Rect.Right), root->Rect.Bottom,
                                   std::max(root->Rect.Right, np->Rect.Right), np->Rect.Top}));
        // The annotation box hangs below the root's name box.
        EXPECT_TRUE(HasInk(image, {root->Rect.Left, root->Rect.Bottom + 4, root->Rect.Right,
                                   root->Rect.Bottom + 40}));
    }
}

TEST_F(SvgMatch, NetworkWithArcsLabelsAndArrowHeads) {
    TRtn rtn;
    TRtnFileOptions options;
    NullSink sink;
    ASSERT_TRUE(LoadRtnFile(GRAMARBOR_TEST_DATA "/rtn/np_repeated.rtn", rtn, options, sink));
    for (const bool linesAllowed : {true, false}) {
        Picture picture;
        ASSERT_TRUE(DrawRtn(picture, Measurer, rtn, MakeRtnMetrics(4, 2), linesAllowed));
        ExpectMatch(picture, linesAllowed ? "network" : "network of arcs only");
    }
}

TEST_F(SvgMatch, ShapesPensFontsAndXorFrames) {
    Picture picture;
    picture.Width = 240;
    picture.Height = 120;
    PictureRecorder c(picture, Measurer);
    c.State.PenWidth = 3;
    c.State.BrushColor = 0x00C0FF;
    c.Ellipse({10, 10, 70, 50});
    c.State.PenWidth = 2;
    c.State.BrushStyle = TBrushStyle::bsClear;
    c.RoundRect({80, 10, 150, 60}, 24, 16);
    c.Arc({160, 10, 230, 70}, {160, 10}, {230, 70});
    c.State.PenWidth = 1;
    c.Arc({10, 60, 60, 110}, {35, 0}, {35, 0});
    c.MoveTo(70, 110);
    c.LineTo(150, 70);
    c.State.Font.Height = -20;
    c.State.Font.Style = fsBold | fsItalic | fsUnderline | fsStrikeOut;
    c.State.Font.Name = "Times New Roman";
    c.TextOut(150, 80,
              "Stra\xDF"
              "e");
    c.State.BrushStyle = TBrushStyle::bsSolid;
    c.State.BrushColor = 0x80FF80;
    c.State.Font = TFont{};
    c.TextOut(80, 90, "opaque");
    ExpectMatch(picture, "shapes");

    // A focus frame shows on white as it does on the canvas (corners aside, which
    // Qt's renderer covers only in part).
    Picture frame;
    frame.Width = frame.Height = 40;
    PictureRecorder f(frame, Measurer);
    f.State.PenMode = TPenMode::pmXor;
    f.State.PenColor = clTeal;
    f.State.BrushColor = clTeal;
    f.Rectangle({5, 5, 35, 35});
    const QImage canvas = RenderPictureImage(frame), svg = RenderSvg(frame);
    for (const QPoint p : {QPoint(20, 5), QPoint(20, 20), QPoint(34, 20)})
        EXPECT_EQ(svg.pixel(p), canvas.pixel(p)) << p.x() << ", " << p.y();
}

TEST_F(SvgMatch, ChainNodesDrawTheSamePixelsAsTheirPlaceholders) {
    MeasuringCanvas screen(Measurer);
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

TEST_F(SvgMatch, TidyLayoutWithLongWordsAndMovementArrows) {
    RecordingSink sink;
    TTree tree(true, sink);
    tree.SetParams(32, 64, "Arial", toTidy, TNodeAttr{});
    ASSERT_TRUE(tree.StrToTree("[CP [NP [Hippopotami<1]] [C' [C [do]] [IP [NP "
                               "[constitutionalities<2]] [VP [V [understand]] [NP [t>1]] "
                               "[PP [t>2]]]]]]"));
    MeasuringCanvas screen(Measurer);
    ASSERT_TRUE(tree.Show(screen, 4, 4));
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    const QImage image = RenderPictureImage(tree.GetMetafile());

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
