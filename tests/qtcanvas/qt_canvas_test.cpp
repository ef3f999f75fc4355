// The Qt canvas drawn into images and checked pixel by pixel: the conventions of the
// canvas (excluded edges, arcs, opaque text, XOR) and the choice of fonts; pictures
// saved in every format and offered to the clipboard.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <tuple>

#include <QFontInfo>
#include <QFontMetrics>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>

#include "base/file_io.h"
#include "picture/canvas_script.h"
#include "picture/svg_writer.h"
#include "picture/wmf_writer.h"
#include "qtcanvas/gui_session.h"
#include "qtcanvas/picture_export.h"
#include "qtcanvas/qt_canvas.h"
#include "qtcanvas/qt_text_measurer.h"

using namespace gramarbor;
namespace fs = std::filesystem;

namespace {

constexpr QRgb Black = 0xFF000000, White = 0xFFFFFFFF, Red = 0xFFFF0000, Yellow = 0xFFFFFF00;

class QtCanvasTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }
    static fs::path Folder() {
        const fs::path folder = fs::path(::testing::TempDir()) / "picture_export";
        fs::create_directories(folder);
        return folder;
    }

    Picture Drawn(const std::string& name) {
        return gramarbor::testing::RecordedDrawing(name, Measurer);
    }
    QImage Render(const std::string& name) { return RenderPictureImage(Drawn(name)); }

    QtTextMeasurer Measurer;
};

int CountDark(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.valid(x, y) && qGray(image.pixel(x, y)) < 128;
    return count;
}

std::string Slurp(const fs::path& path) {
    std::string bytes;
    ReadFileBytes(path.string(), bytes);
    return bytes;
}

} // namespace

TEST_F(QtCanvasTest, ShapesAndLinesLeaveOutTheirRightAndBottomEdges) {
    const QImage image = Render("canvas_edges");
    const std::tuple<int, int, QRgb> expected[] = {
        {10, 10, Black},  {29, 29, Black},  {30, 29, White},  {29, 30, White},
        {9, 10, White}, // fill
        {40, 10, Black},  {69, 29, Black},  {70, 20, White},  {55, 30, White},
        {55, 20, White},                                                       // rectangle
        {100, 20, Red},   {120, 20, White}, {100, 30, White}, {81, 11, White}, // ellipse
        {160, 10, Black}, {160, 49, Black}, {189, 30, Black}, {190, 30, White},
        {131, 11, White},                                                       // round
        {160, 30, White}, {10, 60, Black},  {99, 60, Black},  {100, 60, White}, // line
        {10, 70, Black},  {49, 109, Black}, {50, 110, White}};
    for (const auto& [x, y, color] : expected)
        EXPECT_EQ(image.pixel(x, y), color) << x << ", " << y;
    EXPECT_GT(CountDark(image, QRect(80, 19, 1, 2)), 0) << "the ellipse touches its box";
    EXPECT_GT(CountDark(image, QRect(119, 19, 1, 2)), 0);
    EXPECT_EQ(CountDark(image, QRect(150, 70, 1, 20)), 2) << "a pen of width 2";
}

TEST_F(QtCanvasTest, ArcsRunCounterClockwiseFromStartRayToEndRay) {
    const QImage image = Render("canvas_quarters");
    for (int q = 0; q < 4; ++q)
        for (int other = 0; other < 4; ++other) {
            const double angle = (45 + 90 * other) * std::numbers::pi / 180;
            const int x = int(std::lround(10 + q * 70 + 29.5 + 29.5 * std::cos(angle)));
            const int y = int(std::lround(39.5 - 29.5 * std::sin(angle)));
            EXPECT_EQ(CountDark(image, QRect(x - 1, y - 1, 3, 3)) > 0, other == q)
                << q << " " << other;
        }
    const QImage full = Render("canvas_full_arc"); // start and end on one ray
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
    const QImage image = Render("canvas_texts");
    Picture unused;
    PictureRecorder recorder(unused, Measurer);
    recorder.State.Font = font;
    EXPECT_EQ(recorder.TextWidth("Gramarbor"), width);
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

// A cell height gets the largest font whose ascent plus descent fits, a character
// height that pixel size. Qt's metrics overflow above about 19,000 pixels: no font is
// larger than 16384 pixels, and a huge height finds it in a few steps, not minutes.
TEST_F(QtCanvasTest, ChoosesMetricCompatibleFontsByCellOrCharacterHeight) {
    EXPECT_EQ(QFontInfo(QtFontFor({"Arial", -12})).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(QtFontFor({"Times New Roman", -12})).family(), "Liberation Serif");
    EXPECT_EQ(QFontInfo(QtFontFor({"courier new", -12})).family(), "Liberation Mono");
    EXPECT_EQ(Measurer.TextWidth({"Courier New", -20}, "iii"),
              Measurer.TextWidth({"Courier New", -20}, "MMM"));
    EXPECT_GT(Measurer.TextWidth({"Arial", -20, fsBold}, "Gram"),
              Measurer.TextWidth({"Arial", -20}, "Gram"));
    EXPECT_EQ(Measurer.TextWidth({"Arial", -20}, "\xE4"), Measurer.TextWidth({"Arial", -20}, "a"));
    constexpr int largest = 16384;
    const auto cellAt = [](QFont font, int size) {
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        return metrics.ascent() + metrics.descent();
    };
    std::vector<int32_t> heights{97, 1000, 7777, 18000, 21000, 32767, 1000000};
    for (int32_t height = 6; height <= 60; height += 3)
        heights.push_back(height);
    for (const char* name : {"Arial", "Times New Roman", "Courier New"})
        for (const int32_t height : heights) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(height));
            const QFont font = QtFontFor({name, height});
            const int size = font.pixelSize();
            EXPECT_LE(size, largest);
            EXPECT_GT(cellAt(font, size), 0);
            EXPECT_LE(cellAt(font, size), height);
            if (size < largest) {
                EXPECT_GT(cellAt(font, size + 1), height);
            }
            EXPECT_EQ(QtFontFor({name, -height}).pixelSize(), std::min(height, largest));
        }
    EXPECT_EQ(QtFontFor({"Arial", 0}).pixelSize(), 11) << "8 points";
}

TEST_F(QtCanvasTest, LongTextsAreMeasuredWithoutWrapping) {
    // A million wide letters at 96 pixels are far wider than Qt's fixed-point
    // widths hold (2^25 pixels); measured in pieces they add up.
    const TFont font{"Arial", -96, 0, clBlack};
    const std::string thousand(1000, 'W'), million(1000000, 'W');
    const int64_t expected = int64_t(1000) * Measurer.TextWidth(font, thousand);
    EXPECT_GT(expected, int64_t(1) << 25);
    EXPECT_NEAR(double(Measurer.TextWidth(font, million)), double(expected), expected / 1000.0);
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    canvas.State.Font = font;
    EXPECT_NEAR(double(canvas.TextWidth(million)), double(expected), expected / 1000.0);
}

TEST(PictureFormat, ComesFromTheExtensionInAnyCase) {
    EXPECT_EQ(PictureFormatFromPath("/a/RTN.WMF"), PictureFormat::Wmf);
    EXPECT_EQ(PictureFormatFromPath("x.Svg"), PictureFormat::Svg);
    EXPECT_EQ(PictureFormatFromPath("x.y.png"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatFromPath("out.pdf"), PictureFormat::Pdf);
    for (const char* path : {"tree", "tree.wmf.txt", "dir.png/tree", "x.wmfx"})
        EXPECT_EQ(PictureFormatFromPath(path), std::nullopt) << path;
}

TEST_F(QtCanvasTest, SavesEachFormatOrSaysWhyNot) {
    const Picture picture = Drawn("canvas_showcase");
    std::string error;
    const fs::path wmf = Folder() / "p.WMF", svg = Folder() / "p.svg", pdf = Folder() / "p.pdf";
    ASSERT_TRUE(SavePicture(picture, wmf.string(), PictureFormat::Wmf, &error)) << error;
    EXPECT_EQ(Slurp(wmf), WriteWmfBytes(picture));
    ASSERT_TRUE(SavePicture(picture, svg.string(), PictureFormat::Svg, &error)) << error;
    EXPECT_EQ(Slurp(svg), WriteSvgText(picture, Measurer)) << "measured like the display";
    ASSERT_TRUE(SavePicture(picture, pdf.string(), PictureFormat::Pdf, &error)) << error;
    const QString pdfText = QString::fromLatin1(QByteArray::fromStdString(Slurp(pdf)));
    EXPECT_TRUE(pdfText.startsWith("%PDF-"));
    // 420 x 330 pixels at 96 dpi are 315 x 247.5 points.
    const auto box =
        QRegularExpression(R"re(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])re").match(pdfText);
    EXPECT_NEAR(box.captured(1).toDouble(), 315, 0.5);
    EXPECT_NEAR(box.captured(2).toDouble(), 247.5, 0.5);

    error.clear();
    EXPECT_FALSE(
        SavePicture(picture, (Folder() / "none" / "x.svg").string(), PictureFormat::Svg, &error));
    EXPECT_NE(error, "");
}

TEST_F(QtCanvasTest, PngImagesAreBoundedAndPointToTheVectorFormats) {
    // The bounds hold for the scaled image.
    const std::tuple<int32_t, int32_t, int, bool> cases[] = {
        {32767, 1, 1, true},       {32768, 1, 1, false},     {1, 32768, 1, false},
        {8192, 8193, 1, false},    {30000, 30000, 1, false}, // more than 2^26 pixels
        {8191, 1, 4, true},        {8192, 1, 4, false},      {4096, 4097, 2, false},
        {2147483647, 1, 4, false},
    };
    const fs::path keep = Folder() / "bounded.png";
    for (const auto& [width, height, scale, fits] : cases) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height) + " at " +
                     std::to_string(scale));
        Picture picture;
        picture.Width = width;
        picture.Height = height;
        std::ofstream(keep) << "previous picture";
        std::string error;
        EXPECT_EQ(SavePicture(picture, keep.string(), PictureFormat::Png, &error, scale), fits);
        const QImage image = RenderPictureImage(picture, scale);
        EXPECT_EQ(image.isNull(), !fits);
        if (fits) {
            EXPECT_EQ(image.size(), QSize(width * scale, height * scale));
            continue;
        }
        EXPECT_EQ(Slurp(keep), "previous picture");
        EXPECT_EQ(error, "The picture is " + std::to_string(int64_t(width) * scale) + " x " +
                             std::to_string(int64_t(height) * scale) +
                             " pixels, too large for a PNG image (at most 32767 pixels a side "
                             "and 67108864 pixels in all); save it as SVG, PDF or WMF instead, "
                             "which have no such limit");
        // The vector formats take it.
        EXPECT_TRUE(SavePicture(picture, (Folder() / "bounded.svg").string(), PictureFormat::Svg));
    }
}

TEST_F(QtCanvasTest, ClipboardPayloadCarriesEveryFormat) {
    const Picture picture = Drawn("canvas_showcase");
    const std::unique_ptr<QMimeData> data(MakePictureMimeData(picture));
    for (const char* type : {"image/x-wmf", "image/wmf",
                             "application/x-openoffice-wmf;windows_formatname=\"Image WMF\""})
        EXPECT_EQ(data->data(type).toStdString(), WriteWmfBytes(picture)) << type;
    EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
    EXPECT_EQ(QImage::fromData(data->data("image/png"), "PNG").size(), QSize(420, 330));
}
