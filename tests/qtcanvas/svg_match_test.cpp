// The SVG writer's documents drawn by Qt's SVG renderer against the Qt canvas
// replaying the same pictures: trees and a network come out with every shape and
// every text on the same pixels, within one pixel for antialiased edges.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include <QPainter>
#include <QSvgRenderer>

#include "base/message_sink.h"
#include "picture/canvas_script.h"
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

// Boxes whose edges lie within a pixel of each other.
bool Near(const QRect& a, const QRect& b) {
    const QMargins pixel(1, 1, 1, 1);
    return a == b || (a.marginsAdded(pixel).contains(b) && b.marginsAdded(pixel).contains(a));
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

class SvgMatch : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }

    Picture Drawn(const std::string& name) {
        return gramarbor::testing::RecordedDrawing(name, Measurer);
    }

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

    // The tree of brackets with options, its nodes changed by decorate.
    Picture TreePicture(const std::string& brackets, uint8_t options,
                        const std::function<void(TNode&)>& decorate) {
        RecordingSink sink;
        TTree tree(true, sink);
        tree.SetParams(64, 64, "Arial", options, TNodeAttr{});
        EXPECT_TRUE(tree.StrToTree(brackets)) << brackets;
        if (decorate) decorate(*tree.GetRoot());
        MeasuringCanvas screen(Measurer);
        EXPECT_TRUE(tree.Show(screen, 4, 4)) << brackets;
        EXPECT_TRUE(sink.Empty()) << sink.Last();
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
            EXPECT_TRUE(Near(canvas, svg)) << what << ": call " << static_cast<int>(op.Kind) << " '"
                                           << op.Text << "' at (" << op.A.X << ", " << op.A.Y
                                           << ") box (" << op.Box.Left << ", " << op.Box.Top << ")";
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
    const std::tuple<const char*, uint8_t, std::function<void(TNode&)>> cases[] = {
        {"[S [NP [Det [the]] [N [dog]]] [VP [V [barks]]]]", 0, {}},
        {"[S [NP [Det [the]] [N [dog]]] [VP [V [barks]]]]", toBoldLines | toArrows, {}},
        {"[\"%bS%b|[+fin]\" [NP%_i [%iDet%i] [N%^2]] [VP [%uV%u] [%sold%s] "
         "[\"%'Courier New'PP%''|x\"]]]",
         toFrames,
         {}},
        {"[CP [NP [Hippopotami<1]] [C' [C [do]] [IP [NP [they]] [VP [V [see]] [NP [t>1]]]]]]",
         toTidy,
         {}},
        // Every frame kind, a triangle, an arrow and an annotation.
        {"[S [NP [Det] [N]] [VP [V] [PP]]]", toFrames | toTriangles | toArrows,
         [](TNode& root) {
             root.Attr.Flags = naCenter | naRound | naAnnoBrackets;
             root.Cont = {"annotation", "second line"};
             TNode& np = *root.Children[0];
             np.Attr.Flags = naLeft | naAngular;
             np.Children[0]->Attr.Flags = naLeft | naArrow;
             TNode& vp = *root.Children[1];
             vp.Attr.Flags = naRight | naBrackets;
             vp.Children.back()->Attr.Flags = naCenter | naTriangle;
         }},
    };
    for (const auto& [brackets, options, decorate] : cases)
        ExpectMatch(TreePicture(brackets, options, decorate), brackets);
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
    ExpectMatch(Drawn("match_shapes"), "shapes");
    // A focus frame shows on white as it does on the canvas (corners aside, which
    // Qt's renderer covers only in part).
    const Picture frame = Drawn("match_xor_frame");
    const QImage canvas = RenderPictureImage(frame), svg = RenderSvg(frame);
    for (const QPoint p : {QPoint(20, 5), QPoint(20, 20), QPoint(34, 20)})
        EXPECT_EQ(svg.pixel(p), canvas.pixel(p)) << p.x() << ", " << p.y();
}
