// Pictures saved in every format and offered to the clipboard; the render check
// draws every operation into one PNG, kept as /tmp/gramarbor-render.png to look at.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>

#include "base/file_io.h"
#include "picture/arrow_head.h"
#include "picture/svg_writer.h"
#include "picture/wmf_writer.h"
#include "qtcanvas/gui_session.h"
#include "qtcanvas/picture_export.h"
#include "qtcanvas/qt_text_measurer.h"

using namespace gramarbor;
namespace fs = std::filesystem;

namespace {

class PictureExportTest : public testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }
    static fs::path Folder() {
        const fs::path folder = fs::path(testing::TempDir()) / "picture_export";
        fs::create_directories(folder);
        return folder;
    }
};

// Every canvas operation in a picture of 420 x 330.
Picture Showcase() {
    static QtTextMeasurer measurer;
    Picture picture;
    picture.Width = 420;
    picture.Height = 330;
    PictureRecorder c(picture, measurer);
    c.State.BrushStyle = TBrushStyle::bsClear;
    c.State.Font = {"Arial", -20, 0, clBlack};
    c.TextOut(10, 8, "Arial plain");
    c.State.Font = {"Times New Roman", 22, fsBold | fsItalic, clBlack};
    c.TextOut(150, 8, "Times bold italic");
    c.State.Font = {"Courier New", -16, fsUnderline, 0x800000};
    c.TextOut(10, 40, "Courier underlined");
    c.State.Font = {"Arial", 18, fsStrikeOut, clBlack};
    c.TextOut(230, 40,
              "Stra\xDF"
              "e \xE4\xF6\xFC");
    c.State.BrushStyle = TBrushStyle::bsSolid;
    c.State.BrushColor = 0x00FFFF;
    c.State.Font = {"Arial", -14, 0, clBlack};
    c.TextOut(10, 70, "opaque text");
    c.State.BrushColor = clWhite;
    c.MoveTo(10, 100);
    c.LineTo(200, 100);
    c.State.PenWidth = 2;
    c.MoveTo(10, 110);
    c.LineTo(200, 130);
    c.State.PenWidth = 1;
    c.Rectangle({220, 90, 300, 140});
    c.State.BrushStyle = TBrushStyle::bsClear;
    c.RoundRect({310, 90, 410, 140}, 24, 24);
    c.State.BrushStyle = TBrushStyle::bsSolid;
    c.State.BrushColor = clRed;
    c.Ellipse({10, 150, 110, 200});
    for (int q = 0; q < 4; ++q) {
        const int left = 130 + q * 60, cx = left + 25, cy = 175;
        const TPoint rays[4] = {{cx + 50, cy}, {cx, cy - 50}, {cx - 50, cy}, {cx, cy + 50}};
        c.Arc({left, 150, left + 50, 200}, rays[q], rays[(q + 1) % 4]);
    }
    c.State.BrushColor = 0x00C000;
    c.Polygon({{10, 220}, {90, 220}, {110, 260}, {50, 300}, {20, 270}});
    c.MoveTo(150, 280);
    c.LineTo(250, 230);
    DrawArrowHead(c, {250, 230}, 333, true, 8, 4, -2);
    c.State.BrushStyle = TBrushStyle::bsSolid;
    c.State.BrushColor = clBlack;
    c.FillRect({300, 220, 340, 300});
    c.State.PenMode = TPenMode::pmXor;
    c.State.PenColor = c.State.BrushColor = clTeal;
    c.Rectangle({280, 240, 400, 280});
    return picture;
}

std::string Slurp(const fs::path& path) {
    std::string bytes;
    ReadFileBytes(path.string(), bytes);
    return bytes;
}

} // namespace

TEST(PictureFormat, ComesFromTheExtensionInAnyCase) {
    EXPECT_EQ(PictureFormatFromPath("/a/RTN.WMF"), PictureFormat::Wmf);
    EXPECT_EQ(PictureFormatFromPath("x.Svg"), PictureFormat::Svg);
    EXPECT_EQ(PictureFormatFromPath("x.y.png"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatFromPath("out.pdf"), PictureFormat::Pdf);
    for (const char* path : {"tree", "tree.wmf.txt", "dir.png/tree", "x.wmfx"})
        EXPECT_EQ(PictureFormatFromPath(path), std::nullopt) << path;
}

TEST_F(PictureExportTest, RendersEveryOperationAsDrawn) {
    const fs::path png = Folder() / "showcase.png";
    std::string error;
    ASSERT_TRUE(SavePicture(Showcase(), png.string(), PictureFormat::Png, &error)) << error;
    std::error_code ignored;
    fs::copy_file(png, "/tmp/gramarbor-render.png", fs::copy_options::overwrite_existing, ignored);
    const QImage image(QString::fromStdString(png.string()));
    ASSERT_EQ(image.size(), QSize(420, 330));
    const struct {
        int X, Y;
        QRgb Color;
        const char* What;
    } expected[] = {{0, 0, 0xFFFFFF, "background"},
                    {10, 70, 0xFFFF00, "opaque text background"},
                    {60, 175, 0xFF0000, "ellipse fill"},
                    {50, 250, 0x00C000, "polygon fill"},
                    {100, 100, 0, "line"},
                    {200, 100, 0xFFFFFF, "line end point"},
                    {220, 115, 0, "rectangle edge"},
                    {260, 115, 0xFFFFFF, "rectangle inside"},
                    {310, 90, 0xFFFFFF, "round corner"},
                    {360, 90, 0, "round rectangle edge"},
                    {280, 260, 0xFF7F7F, "XOR over white"},
                    {320, 260, 0x008080, "XOR over black"},
                    {399, 260, 0xFF7F7F, "XOR edge"}};
    for (const auto& e : expected)
        EXPECT_EQ(image.pixel(e.X, e.Y) & 0xFFFFFF, e.Color) << e.What;
}

TEST_F(PictureExportTest, SavesEachFormatOrKeepsTheOldFile) {
    const Picture picture = Showcase();
    std::string error;
    const fs::path wmf = Folder() / "p.WMF", svg = Folder() / "p.svg", pdf = Folder() / "p.pdf";
    ASSERT_TRUE(SavePicture(picture, wmf.string(), PictureFormat::Wmf, &error)) << error;
    EXPECT_EQ(Slurp(wmf), WriteWmfBytes(picture));
    ASSERT_TRUE(SavePicture(picture, svg.string(), PictureFormat::Svg, &error)) << error;
    QtTextMeasurer measurer;
    EXPECT_EQ(Slurp(svg), WriteSvgText(picture, measurer)) << "measured like the display";
    const QString svgText = QString::fromStdString(Slurp(svg));
    EXPECT_TRUE(svgText.contains("viewBox=\"0 0 420 330\""));
    EXPECT_TRUE(svgText.contains("font-family=\"'Times New Roman'\"")) << "the font as requested";
    EXPECT_TRUE(svgText.contains(QString::fromUtf8("Stra\xC3\x9F"
                                                   "e \xC3\xA4\xC3\xB6\xC3\xBC")));
    ASSERT_TRUE(SavePicture(picture, pdf.string(), PictureFormat::Pdf, &error)) << error;
    const QString pdfText = QString::fromLatin1(QByteArray::fromStdString(Slurp(pdf)));
    EXPECT_TRUE(pdfText.startsWith("%PDF-"));
    // 420 x 330 pixels at 96 dpi are 315 x 247.5 points.
    const auto box =
        QRegularExpression(R"re(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])re").match(pdfText);
    EXPECT_NEAR(box.captured(1).toDouble(), 315, 0.5);
    EXPECT_NEAR(box.captured(2).toDouble(), 247.5, 0.5);

    const fs::path keep = Folder() / "keep.png";
    std::ofstream(keep) << "previous picture";
    Picture tooLarge;
    tooLarge.Width = tooLarge.Height = 30000;
    EXPECT_FALSE(SavePicture(tooLarge, keep.string(), PictureFormat::Png, &error));
    EXPECT_EQ(Slurp(keep), "previous picture");
    error.clear();
    EXPECT_FALSE(
        SavePicture(picture, (Folder() / "none" / "x.svg").string(), PictureFormat::Svg, &error));
    EXPECT_NE(error, "");
}

TEST_F(PictureExportTest, PngImagesAreBoundedAndPointToTheVectorFormats) {
    // The bounds hold for the scaled image.
    const struct {
        int32_t Width, Height;
        int Scale;
        bool Fits;
    } cases[] = {
        {32767, 1, 1, true},       {32768, 1, 1, false},     {1, 32768, 1, false},
        {8192, 8193, 1, false},    {30000, 30000, 1, false}, // more than 2^26 pixels
        {8191, 1, 4, true},        {8192, 1, 4, false},      {4096, 4097, 2, false},
        {2147483647, 1, 4, false},
    };
    const fs::path keep = Folder() / "bounded.png";
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Width) + " x " + std::to_string(c.Height) + " at " +
                     std::to_string(c.Scale));
        Picture picture;
        picture.Width = c.Width;
        picture.Height = c.Height;
        std::ofstream(keep) << "previous picture";
        std::string error;
        EXPECT_EQ(SavePicture(picture, keep.string(), PictureFormat::Png, &error, c.Scale), c.Fits);
        const QImage image = RenderPictureImage(picture, c.Scale);
        EXPECT_EQ(image.isNull(), !c.Fits);
        if (c.Fits) {
            EXPECT_EQ(image.size(), QSize(c.Width * c.Scale, c.Height * c.Scale));
            continue;
        }
        EXPECT_EQ(Slurp(keep), "previous picture");
        EXPECT_EQ(error, "The picture is " + std::to_string(int64_t(c.Width) * c.Scale) + " x " +
                             std::to_string(int64_t(c.Height) * c.Scale) +
                             " pixels, too large for a PNG image (at most 32767 pixels a side "
                             "and 67108864 pixels in all); save it as SVG, PDF or WMF instead, "
                             "which have no such limit");
        // The vector formats take it.
        EXPECT_TRUE(SavePicture(picture, (Folder() / "bounded.svg").string(), PictureFormat::Svg));
    }
}

TEST_F(PictureExportTest, ClipboardPayloadCarriesEveryFormat) {
    const Picture picture = Showcase();
    const std::unique_ptr<QMimeData> data(MakePictureMimeData(picture));
    for (const char* type : {"image/x-wmf", "image/wmf",
                             "application/x-openoffice-wmf;windows_formatname=\"Image WMF\""})
        EXPECT_EQ(data->data(type).toStdString(), WriteWmfBytes(picture)) << type;
    EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
    EXPECT_EQ(QImage::fromData(data->data("image/png"), "PNG").size(), QSize(420, 330));
    EnsureGuiApplication(); // a second call keeps the application
    EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
}
