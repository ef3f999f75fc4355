// The Qt canvas drawn into images and checked pixel by pixel: the conventions of the
// canvas (excluded edges, arcs, opaque text, XOR) and the choice of fonts.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include <QFontInfo>
#include <QFontMetrics>
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

    // Records what draw does into a picture and renders the picture.
    template <typename Draw>
    QImage Render(int width, int height, Draw draw) {
        Picture picture;
        picture.Width = width;
        picture.Height = height;
        PictureRecorder recorder(picture, Measurer);
        draw(static_cast<Canvas&>(recorder));
        return RenderPictureImage(picture);
    }

    QtTextMeasurer Measurer;
};

int CountDark(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.valid(x, y) && qGray(image.pixel(x, y)) < 128;
    return count;
}

} // namespace

TEST_F(QtCanvasTest, ShapesAndLinesLeaveOutTheirRightAndBottomEdges) {
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
    const struct {
        int X, Y;
        QRgb Color;
    } expected[] = {
        {10, 10, Black},  {29, 29, Black},  {30, 29, White},  {29, 30, White},
        {9, 10, White}, // fill
        {40, 10, Black},  {69, 29, Black},  {70, 20, White},  {55, 30, White},
        {55, 20, White},                                                       // rectangle
        {100, 20, Red},   {120, 20, White}, {100, 30, White}, {81, 11, White}, // ellipse
        {160, 10, Black}, {160, 49, Black}, {189, 30, Black}, {190, 30, White},
        {131, 11, White},                                                       // round
        {160, 30, White}, {10, 60, Black},  {99, 60, Black},  {100, 60, White}, // line
        {10, 70, Black},  {49, 109, Black}, {50, 110, White}};
    for (const auto& e : expected)
        EXPECT_EQ(image.pixel(e.X, e.Y), e.Color) << e.X << ", " << e.Y;
    EXPECT_GT(CountDark(image, QRect(80, 19, 1, 2)), 0) << "the ellipse touches its box";
    EXPECT_GT(CountDark(image, QRect(119, 19, 1, 2)), 0);
    EXPECT_EQ(CountDark(image, QRect(150, 70, 1, 20)), 2) << "a pen of width 2";
}

TEST_F(QtCanvasTest, ArcsRunCounterClockwiseFromStartRayToEndRay) {
    // Circle q is drawn from the ray at 90 q degrees to the next one (y grows down).
    const QImage image = Render(320, 80, [](Canvas& c) {
        for (int q = 0; q < 4; ++q) {
            const int left = 10 + q * 70, cx = left + 30, cy = 40;
            const TPoint rays[4] = {{cx + 100, cy}, {cx, cy - 100}, {cx - 100, cy}, {cx, cy + 100}};
            c.Arc({left, 10, left + 60, 70}, rays[q], rays[(q + 1) % 4]);
        }
    });
    for (int q = 0; q < 4; ++q)
        for (int other = 0; other < 4; ++other) {
            const double angle = (45 + 90 * other) * std::numbers::pi / 180;
            const int x = int(std::lround(10 + q * 70 + 29.5 + 29.5 * std::cos(angle)));
            const int y = int(std::lround(39.5 - 29.5 * std::sin(angle)));
            EXPECT_EQ(CountDark(image, QRect(x - 1, y - 1, 3, 3)) > 0, other == q)
                << q << " " << other;
        }
    // Start and end on one ray: the whole ellipse.
    const QImage full = Render(80, 60, [](Canvas& c) {
        c.Arc({10, 10, 70, 50}, {70, 30}, {90, 30});
    });
    EXPECT_GT(CountDark(full, QRect(35, 9, 10, 3)) * CountDark(full, QRect(35, 48, 10, 3)) *
                  CountDark(full, QRect(9, 25, 3, 10)),
              0);
}

TEST_F(QtCanvasTest, XorDrawingInvertsOnceAndUndoesItself) {
    QImage image(120, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    canvas.State.BrushColor = clBlack;
    canvas.Polygon({{10, 10}, {50, 10}, {30, 50}});
    canvas.FillRect({60, 10, 110, 50});
    const QImage before = image.copy();
    canvas.State.PenMode = TPenMode::pmXor;
    canvas.State.PenColor = canvas.State.BrushColor = clTeal;
    canvas.Rectangle({40, 5, 80, 55}); // outline and fill, each pixel inverted once
    EXPECT_EQ(before.pixel(30, 20), Black);
    EXPECT_EQ(image.pixel(40, 7), qRgb(255, 127, 127));
    EXPECT_EQ(image.pixel(55, 7), qRgb(255, 127, 127));
    EXPECT_EQ(image.pixel(79, 30), qRgb(0, 128, 128));
    EXPECT_EQ(image.pixel(70, 30), qRgb(0, 128, 128));
    canvas.Rectangle({40, 5, 80, 55});
    EXPECT_EQ(image, before);
}

TEST_F(QtCanvasTest, TextSitsInItsCellAndOpaqueTextFillsTheCell) {
    const TFont font{"Arial", -20, 0, clBlack};
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
    EXPECT_GT(CountDark(image, QRect(20, 10, width, cell)), 150);
    EXPECT_EQ(CountDark(image, QRect(0, 0, 300, 10)) + CountDark(image, QRect(0, 0, 20, 50)) +
                  CountDark(image, QRect(20 + width, 0, 300, 50)) +
                  CountDark(image, QRect(0, 10 + cell, 300, 40 - cell)),
              0);
    EXPECT_EQ(image.pixel(20, 50), Yellow);
    EXPECT_EQ(image.pixel(20 + width - 1, 50 + cell - 1), Yellow);
    EXPECT_EQ(image.pixel(20 + width, 50), White);
    EXPECT_EQ(image.pixel(20, 50 + cell), White);
    ApproxTextMeasurer approx; // Arial's widths
    EXPECT_NEAR(width, approx.TextWidth(font, "Gramarbor"), 3);
}

TEST_F(QtCanvasTest, ChoosesMetricCompatibleFontsByCellOrCharacterHeight) {
    EXPECT_EQ(QFontInfo(QtFontFor({"Arial", -12})).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(QtFontFor({"Times New Roman", -12})).family(), "Liberation Serif");
    EXPECT_EQ(QFontInfo(QtFontFor({"courier new", -12})).family(), "Liberation Mono");
    EXPECT_EQ(Measurer.TextWidth({"Courier New", -20}, "iii"),
              Measurer.TextWidth({"Courier New", -20}, "MMM"));
    EXPECT_GT(Measurer.TextWidth({"Arial", -20, fsBold}, "Gram"),
              Measurer.TextWidth({"Arial", -20}, "Gram"));
    EXPECT_EQ(Measurer.TextWidth({"Arial", -20}, "\xE4"), Measurer.TextWidth({"Arial", -20}, "a"));
    for (const char* name : {"Arial", "Times New Roman", "Courier New"})
        for (int32_t height = 6; height <= 60; height += 3) {
            // A cell height: the largest font whose ascent plus descent fits.
            QFont font = QtFontFor({name, height});
            const QFontMetrics cell(font);
            font.setPixelSize(font.pixelSize() + 1);
            EXPECT_LE(cell.ascent() + cell.descent(), height) << name << " " << height;
            EXPECT_GT(QFontMetrics(font).ascent() + QFontMetrics(font).descent(), height)
                << name << " " << height;
            EXPECT_EQ(QtFontFor({name, -height}).pixelSize(), height);
        }
    EXPECT_EQ(QtFontFor({"Arial", 0}).pixelSize(), 11) << "8 points";
}

TEST_F(QtCanvasTest, HugeFontHeightsStayWithinWhatQtMeasuresCorrectly) {
    // Qt's metrics overflow above about 19,000 pixels; a cell height beyond that gets
    // the largest size below it, found in a few steps instead of minutes.
    constexpr int largest = 16384;
    const auto cellAt = [](QFont font, int size) {
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        return metrics.ascent() + metrics.descent();
    };
    for (const char* name : {"Arial", "Times New Roman"})
        for (const int32_t height : {97, 1000, 7777, 18000, 21000, 32767, 1000000}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(height));
            const QFont font = QtFontFor({name, height});
            const int size = font.pixelSize();
            EXPECT_LE(size, largest);
            EXPECT_GT(cellAt(font, size), 0);
            EXPECT_LE(cellAt(font, size), height);
            if (size < largest) {
                EXPECT_GT(cellAt(font, size + 1), height);
            }
        }
    EXPECT_EQ(QtFontFor({"Arial", -21000}).pixelSize(), largest);
}

TEST_F(QtCanvasTest, LongTextsAreMeasuredWithoutWrapping) {
    // A million wide letters at 96 pixels are far wider than Qt's fixed-point
    // widths hold (2^25 pixels); measured in pieces they add up.
    const TFont font{"Arial", -96, 0, clBlack};
    const std::string thousand(1000, 'W');
    std::string million;
    for (int i = 0; i < 1000; ++i)
        million += thousand;
    const int64_t expected = int64_t(1000) * Measurer.TextWidth(font, thousand);
    EXPECT_GT(expected, int64_t(1) << 25);
    EXPECT_NEAR(double(Measurer.TextWidth(font, million)), double(expected), expected / 1000.0);
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    canvas.State.Font = font;
    EXPECT_NEAR(double(canvas.TextWidth(million)), double(expected), expected / 1000.0);
}
