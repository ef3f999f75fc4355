// The Qt canvas drawn into images and checked pixel by pixel: the conventions of the
// canvas (excluded edges, arcs, opaque text, XOR) and the font choices.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include "qtcanvas/gui_session.h"
#include "qtcanvas/picture_export.h"
#include "qtcanvas/qt_canvas.h"
#include "qtcanvas/qt_text_measurer.h"

using namespace gramarbor;

namespace {

constexpr QRgb Black = 0xFF000000, White = 0xFFFFFFFF, Red = 0xFFFF0000, Yellow = 0xFFFFFF00;

class QtCanvasTest : public testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }

    // Records drawing into a picture of the given size and renders it.
    template <typename Draw> QImage Render(int width, int height, Draw draw) {
        Picture picture;
        picture.Width = width;
        picture.Height = height;
        PictureRecorder recorder(picture, Measurer);
        draw(static_cast<Canvas&>(recorder));
        return RenderPictureImage(picture);
    }

    QtTextMeasurer Measurer;
};

bool IsDark(QRgb c) {
    return qRed(c) < 128 && qGreen(c) < 128 && qBlue(c) < 128;
}

int CountDark(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.valid(x, y) && IsDark(image.pixel(x, y));
    return count;
}

// The ink's bounding box (null when there is none).
QRect InkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != White) box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

TEST_F(QtCanvasTest, ShapesExcludeTheirRightAndBottomEdges) {
    const QImage image = Render(200, 120, [](Canvas& c) {
        c.State.BrushColor = clBlack;
        c.FillRect({10, 10, 30, 30});
        c.State.BrushColor = clWhite;
        c.Rectangle({40, 10, 70, 30});
        c.State.BrushColor = clRed;
        c.Ellipse({80, 10, 120, 30});
        c.State.BrushStyle = TBrushStyle::bsClear;
        c.RoundRect({130, 10, 190, 50}, 20, 20);
        c.MoveTo(10, 60);
        c.LineTo(100, 60);
        c.MoveTo(10, 70);
        c.LineTo(50, 110);
        c.State.PenWidth = 2;
        c.MoveTo(110, 80);
        c.LineTo(190, 80);
    });
    // FillRect covers exactly the box.
    EXPECT_EQ(image.pixel(10, 10), Black);
    EXPECT_EQ(image.pixel(29, 29), Black);
    EXPECT_EQ(image.pixel(30, 29), White);
    EXPECT_EQ(image.pixel(29, 30), White);
    EXPECT_EQ(image.pixel(9, 10), White);
    // Rectangle: outline on the first and last included rows and columns.
    EXPECT_EQ(image.pixel(40, 10), Black);
    EXPECT_EQ(image.pixel(69, 29), Black);
    EXPECT_EQ(image.pixel(69, 20), Black);
    EXPECT_EQ(image.pixel(70, 20), White);
    EXPECT_EQ(image.pixel(55, 30), White);
    EXPECT_EQ(image.pixel(55, 20), White);
    // Ellipse: filled inside, touching its box but not the excluded edges.
    EXPECT_EQ(image.pixel(100, 20), Red);
    EXPECT_TRUE(IsDark(image.pixel(80, 20)) || IsDark(image.pixel(80, 19)));
    EXPECT_TRUE(IsDark(image.pixel(119, 20)) || IsDark(image.pixel(119, 19)));
    EXPECT_EQ(image.pixel(120, 20), White);
    EXPECT_EQ(image.pixel(100, 30), White);
    EXPECT_EQ(image.pixel(81, 11), White);
    // Rounded rectangle: straight edges, cut corners, no fill with a clear brush.
    EXPECT_EQ(image.pixel(160, 10), Black);
    EXPECT_EQ(image.pixel(160, 49), Black);
    EXPECT_EQ(image.pixel(189, 30), Black);
    EXPECT_EQ(image.pixel(190, 30), White);
    EXPECT_EQ(image.pixel(131, 11), White);
    EXPECT_EQ(image.pixel(160, 30), White);
    // LineTo leaves out its end point, straight or slanted.
    EXPECT_EQ(image.pixel(10, 60), Black);
    EXPECT_EQ(image.pixel(99, 60), Black);
    EXPECT_EQ(image.pixel(100, 60), White);
    EXPECT_EQ(image.pixel(10, 70), Black);
    EXPECT_EQ(image.pixel(49, 109), Black);
    EXPECT_EQ(image.pixel(50, 110), White);
    // A pen of width 2 draws two rows.
    EXPECT_EQ(CountDark(image, QRect(150, 70, 1, 20)), 2);
    EXPECT_EQ(CountDark(image, QRect(100, 60, 1, 1)), 0);
}

TEST_F(QtCanvasTest, ArcsRunCounterClockwiseFromStartRayToEndRay) {
    // One circle per quadrant, each drawn from the ray at 90 * q degrees to the next
    // one; on the screen y grows downwards, so "up" is -y.
    const int size = 60;
    const QImage image = Render(4 * size + 40, size + 20, [&](Canvas& c) {
        for (int q = 0; q < 4; ++q) {
            const int left = 10 + q * (size + 10), top = 10;
            const int cx = left + size / 2, cy = top + size / 2;
            const TPoint rays[4] = {{cx + 100, cy}, {cx, cy - 100}, {cx - 100, cy}, {cx, cy + 100}};
            c.Arc({left, top, left + size, top + size}, rays[q], rays[(q + 1) % 4]);
        }
    });
    const double r = (size - 1) / 2.0;
    for (int q = 0; q < 4; ++q) {
        const double cx = 10 + q * (size + 10) + r, cy = 10 + r;
        for (int other = 0; other < 4; ++other) {
            const double angle = (45 + 90 * other) * std::numbers::pi / 180;
            const int x = static_cast<int>(std::lround(cx + r * std::cos(angle)));
            const int y = static_cast<int>(std::lround(cy - r * std::sin(angle)));
            const int dark = CountDark(image, QRect(x - 1, y - 1, 3, 3));
            if (other == q)
                EXPECT_GT(dark, 0) << "quadrant " << q << " is missing";
            else
                EXPECT_EQ(dark, 0) << "quadrant " << q << " also drew quadrant " << other;
        }
    }
    // The same start and end ray draw the whole ellipse.
    const QImage full = Render(80, 80, [](Canvas& c) {
        c.Arc({10, 10, 70, 50}, {70, 30}, {90, 30});
    });
    EXPECT_GT(CountDark(full, QRect(35, 9, 10, 3)), 0);
    EXPECT_GT(CountDark(full, QRect(35, 48, 10, 3)), 0);
    EXPECT_GT(CountDark(full, QRect(9, 25, 3, 10)), 0);
}

TEST_F(QtCanvasTest, PolygonsAreFilledAndXorDrawingUndoesItself) {
    QImage image(120, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    canvas.State.BrushColor = clBlack;
    canvas.Polygon({{10, 10}, {50, 10}, {30, 50}});
    canvas.FillRect({60, 10, 110, 50});
    const QImage before = image.copy();
    canvas.State.PenMode = TPenMode::pmXor;
    canvas.State.PenColor = clTeal;
    canvas.State.BrushStyle = TBrushStyle::bsClear;
    canvas.Rectangle({40, 5, 80, 55});
    painter.end();
    EXPECT_EQ(before.pixel(30, 20), Black);
    EXPECT_EQ(before.pixel(12, 40), White);
    // Teal XOR white is the inverse colour (red-ish); on black it is teal itself.
    EXPECT_EQ(image.pixel(40, 7), qRgb(255, 127, 127));
    EXPECT_EQ(image.pixel(79, 30), qRgb(0, 128, 128));
    EXPECT_EQ(image.pixel(60, 30), Black);
    painter.begin(&image);
    QtCanvas again(painter);
    again.State = canvas.State;
    again.Rectangle({40, 5, 80, 55});
    painter.end();
    EXPECT_EQ(image, before);
}

TEST_F(QtCanvasTest, TextSitsInItsCellAndOpaqueTextFillsIt) {
    TFont font{"Arial", -20, 0, clBlack};
    const int32_t width = Measurer.TextWidth(font, "Gramarbor");
    const QFontMetrics metrics(QtFontFor(font));
    const int cell = metrics.ascent() + metrics.descent();
    const QImage image = Render(300, 100, [&](Canvas& c) {
        c.State.Font = font;
        c.State.BrushStyle = TBrushStyle::bsClear;
        EXPECT_EQ(c.TextWidth("Gramarbor"), width);
        c.TextOut(20, 10, "Gramarbor");
        c.State.BrushStyle = TBrushStyle::bsSolid;
        c.State.BrushColor = 0x00FFFF;
        c.TextOut(20, 50, "Gramarbor");
    });
    const QRect ink = InkBox(image.copy(0, 0, 300, 45));
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.left(), 20);
    EXPECT_LE(ink.right(), 20 + width);
    EXPECT_GE(ink.top(), 10);
    EXPECT_LE(ink.bottom(), 10 + cell);
    EXPECT_GT(ink.width(), width - 6);
    // The opaque cell: exactly the text width by the cell height.
    EXPECT_EQ(image.pixel(20, 50), Yellow);
    EXPECT_EQ(image.pixel(20 + width - 1, 50 + cell - 1), Yellow);
    EXPECT_EQ(image.pixel(20 + width, 50), White);
    EXPECT_EQ(image.pixel(20, 50 + cell), White);
    EXPECT_EQ(image.pixel(19, 50), White);
    // Liberation Sans has Arial's widths: close to the built-in table.
    ApproxTextMeasurer approx;
    EXPECT_NEAR(width, approx.TextWidth(font, "Gramarbor"), 3);
}

TEST_F(QtCanvasTest, MapsTheCommonFontsToMetricCompatibleOnes) {
    EXPECT_EQ(QFontInfo(QtFontFor({"Arial", -12})).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(QtFontFor({"Times New Roman", -12})).family(), "Liberation Serif");
    EXPECT_EQ(QFontInfo(QtFontFor({"Courier New", -12})).family(), "Liberation Mono");
    EXPECT_EQ(QFontInfo(QtFontFor({"courier new", -12})).family(), "Liberation Mono");
    // Monospaced, and narrower with the serif face.
    EXPECT_EQ(Measurer.TextWidth({"Courier New", -20}, "iii"),
              Measurer.TextWidth({"Courier New", -20}, "MMM"));
    EXPECT_LT(Measurer.TextWidth({"Times New Roman", -20}, "Gramarbor"),
              Measurer.TextWidth({"Arial", -20}, "Gramarbor"));
    EXPECT_GT(Measurer.TextWidth({"Arial", -20, fsBold}, "Gramarbor"),
              Measurer.TextWidth({"Arial", -20}, "Gramarbor"));
    // Windows-1252 text: the umlaut is one character as wide as its base letter.
    EXPECT_EQ(Measurer.TextWidth({"Arial", -20}, "\xE4"), Measurer.TextWidth({"Arial", -20}, "a"));
}

TEST_F(QtCanvasTest, ChoosesFontSizesByCellOrCharacterHeight) {
    for (const char* name : {"Arial", "Times New Roman", "Courier New"}) {
        for (int32_t height = 6; height <= 60; height += 3) {
            const QFont cellFont = QtFontFor({name, height});
            const QFontMetrics cell(cellFont);
            EXPECT_LE(cell.ascent() + cell.descent(), height) << name << " " << height;
            QFont larger = cellFont;
            larger.setPixelSize(cellFont.pixelSize() + 1);
            const QFontMetrics next(larger);
            EXPECT_GT(next.ascent() + next.descent(), height) << name << " " << height;
            EXPECT_GE(cell.ascent() + cell.descent(), height - 1) << name << " " << height;
            EXPECT_EQ(QtFontFor({name, -height}).pixelSize(), height);
        }
    }
    // Height 0 is 8 points.
    EXPECT_EQ(QtFontFor({"Arial", 0}).pixelSize(), 11);
}

TEST_F(QtCanvasTest, DrawsTheFontStyles) {
    const auto inkOf = [&](uint8_t style) {
        return CountDark(Render(200, 40,
                                [&](Canvas& c) {
                                    c.State.BrushStyle = TBrushStyle::bsClear;
                                    c.State.Font = {"Arial", -20, style, clBlack};
                                    c.TextOut(5, 5, "Hallo");
                                }),
                         QRect(0, 0, 200, 40));
    };
    const int plain = inkOf(0);
    EXPECT_GT(inkOf(fsBold), plain * 5 / 4);
    EXPECT_GT(inkOf(fsUnderline), plain + 30);
    EXPECT_GT(inkOf(fsStrikeOut), plain + 30);
    const QImage italic = Render(200, 40, [&](Canvas& c) {
        c.State.Font = {"Arial", -20, fsItalic, clBlack};
        c.TextOut(5, 5, "l");
    });
    // A slanted l has ink further right at its top than at its bottom.
    const QRect top = InkBox(italic.copy(0, 8, 200, 4));
    const QRect bottom = InkBox(italic.copy(0, 18, 200, 4));
    EXPECT_GT(top.left(), bottom.left());
}
