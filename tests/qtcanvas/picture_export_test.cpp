// Saving pictures in every format, the clipboard payload, and the render check that
// draws every operation into one PNG (kept as /tmp/gramarbor-render.png to look at).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QRegularExpression>

#include "base/file_io.h"
#include "picture/arrow_head.h"
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

// Every canvas operation in one picture of 420 x 330.
Picture Showcase() {
    static QtTextMeasurer measurer;
    Picture picture;
    picture.Width = 420;
    picture.Height = 330;
    PictureRecorder c(picture, measurer);
    c.FillRect({0, 0, 420, 330});
    c.State.Font = {"Arial", -20, 0, clBlack};
    c.State.BrushStyle = TBrushStyle::bsClear;
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
    c.State.BrushStyle = TBrushStyle::bsClear;
    for (int q = 0; q < 4; ++q) {
        const int left = 130 + q * 60, cx = left + 25, cy = 175;
        const TPoint rays[4] = {{cx + 50, cy}, {cx, cy - 50}, {cx - 50, cy}, {cx, cy + 50}};
        c.Arc({left, 150, left + 50, 200}, rays[q], rays[(q + 1) % 4]);
    }
    c.State.BrushStyle = TBrushStyle::bsSolid;
    c.State.BrushColor = 0x00C000;
    c.Polygon({{10, 220}, {90, 220}, {110, 260}, {50, 300}, {20, 270}});
    c.MoveTo(150, 280);
    c.LineTo(250, 230);
    DrawArrowHead(c, {250, 230}, 333, true, 8, 4, -2);
    c.State.BrushStyle = TBrushStyle::bsSolid;
    c.State.BrushColor = clBlack;
    c.FillRect({300, 220, 340, 300});
    c.State.PenMode = TPenMode::pmXor;
    c.State.PenColor = clTeal;
    c.State.BrushColor = clTeal;
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
    EXPECT_EQ(PictureFormatFromPath("tree.wmf"), PictureFormat::Wmf);
    EXPECT_EQ(PictureFormatFromPath("/a/RTN.WMF"), PictureFormat::Wmf);
    EXPECT_EQ(PictureFormatFromPath("x.Svg"), PictureFormat::Svg);
    EXPECT_EQ(PictureFormatFromPath("x.y.PNG"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatFromPath("out.pdf"), PictureFormat::Pdf);
    EXPECT_EQ(PictureFormatFromPath("tree"), std::nullopt);
    EXPECT_EQ(PictureFormatFromPath("tree.wmf.txt"), std::nullopt);
    EXPECT_EQ(PictureFormatFromPath("dir.png/tree"), std::nullopt);
    EXPECT_EQ(PictureFormatFromPath(".wmfx"), std::nullopt);
}

TEST_F(PictureExportTest, RendersEveryOperationAsDrawn) {
    const Picture picture = Showcase();
    const fs::path png = Folder() / "showcase.png";
    std::string error;
    ASSERT_TRUE(SavePicture(picture, png.string(), PictureFormat::Png, &error)) << error;
    std::error_code ignored;
    fs::copy_file(png, "/tmp/gramarbor-render.png", fs::copy_options::overwrite_existing, ignored);
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(png.string())));
    ASSERT_EQ(image.size(), QSize(420, 330));
    const auto at = [&](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };
    EXPECT_EQ(at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(at(10, 70), 0xFFFF00u) << "opaque text background";
    EXPECT_EQ(at(60, 175), 0xFF0000u) << "ellipse fill";
    EXPECT_EQ(at(50, 250), 0x00C000u) << "polygon fill";
    EXPECT_EQ(at(100, 100), 0u) << "line";
    EXPECT_EQ(at(200, 100), 0xFFFFFFu) << "line end point";
    EXPECT_EQ(at(220, 115), 0u) << "rectangle edge";
    EXPECT_EQ(at(260, 115), 0xFFFFFFu) << "rectangle inside";
    EXPECT_EQ(at(310, 90), 0xFFFFFFu) << "rounded corner";
    EXPECT_EQ(at(360, 90), 0u) << "round rectangle edge";
    EXPECT_EQ(at(280, 260), 0xFF7F7Fu) << "XOR over white";
    EXPECT_EQ(at(300, 240), 0x008080u) << "XOR over black";
    EXPECT_EQ(at(320, 260), 0x008080u) << "XOR fill over black";
    EXPECT_EQ(at(360, 260), 0xFF7F7Fu) << "XOR fill over white";
    EXPECT_EQ(at(399, 260), 0xFF7F7Fu) << "XOR edge, drawn once";
}

TEST_F(PictureExportTest, SavesEachFormat) {
    const Picture picture = Showcase();
    std::string error;
    const fs::path wmf = Folder() / "p.WMF", svg = Folder() / "p.svg", pdf = Folder() / "p.pdf";
    ASSERT_TRUE(SavePicture(picture, wmf.string(), PictureFormat::Wmf, &error)) << error;
    EXPECT_EQ(Slurp(wmf), WriteWmfBytes(picture));

    ASSERT_TRUE(SavePicture(picture, svg.string(), PictureFormat::Svg, &error)) << error;
    const QString svgText = QString::fromUtf8(QByteArray::fromStdString(Slurp(svg)));
    EXPECT_TRUE(svgText.contains("viewBox=\"0 0 420 330\"")) << svgText.left(600).toStdString();
    EXPECT_TRUE(svgText.contains(">Arial plain<"));
    EXPECT_TRUE(svgText.contains(QString::fromUtf8("Stra\xC3\x9F"
                                                   "e \xC3\xA4\xC3\xB6\xC3\xBC")));

    ASSERT_TRUE(SavePicture(picture, pdf.string(), PictureFormat::Pdf, &error)) << error;
    const std::string pdfBytes = Slurp(pdf);
    EXPECT_EQ(pdfBytes.substr(0, 5), "%PDF-");
    // The page is the picture: 420 x 330 pixels at 96 dpi are 315 x 247.5 points.
    const QRegularExpression mediaBox(R"re(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])re");
    const auto match = mediaBox.match(
        QString::fromLatin1(pdfBytes.data(), static_cast<qsizetype>(pdfBytes.size())));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_NEAR(match.captured(1).toDouble(), 315, 0.5);
    EXPECT_NEAR(match.captured(2).toDouble(), 247.5, 0.5);
}

TEST_F(PictureExportTest, AFailedSaveKeepsTheExistingFile) {
    const fs::path path = Folder() / "keep.png";
    std::ofstream(path) << "previous picture";
    Picture tooLarge;
    tooLarge.Width = 30000;
    tooLarge.Height = 30000;
    std::string error;
    EXPECT_FALSE(SavePicture(tooLarge, path.string(), PictureFormat::Png, &error));
    EXPECT_NE(error, "");
    EXPECT_EQ(Slurp(path), "previous picture");

    error.clear();
    EXPECT_FALSE(SavePicture(Showcase(), (Folder() / "no such folder" / "x.svg").string(),
                             PictureFormat::Svg, &error));
    EXPECT_NE(error, "");
}

TEST_F(PictureExportTest, ClipboardPayloadCarriesEveryFormat) {
    const Picture picture = Showcase();
    const std::unique_ptr<QMimeData> data(MakePictureMimeData(picture));
    const std::string wmf = WriteWmfBytes(picture);
    for (const char* type : {"image/x-wmf", "image/wmf",
                             "application/x-openoffice-wmf;windows_formatname=\"Image WMF\""}) {
        ASSERT_TRUE(data->hasFormat(type)) << type;
        EXPECT_EQ(data->data(type).toStdString(), wmf) << type;
    }
    ASSERT_TRUE(data->hasFormat("image/svg+xml"));
    EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
    ASSERT_TRUE(data->hasFormat("image/png"));
    const QImage image = QImage::fromData(data->data("image/png"), "PNG");
    EXPECT_EQ(image.size(), QSize(420, 330));
}

TEST_F(PictureExportTest, RunsOnTheOffscreenPlatformWithoutADisplay) {
    EnsureGuiApplication(); // a second call keeps the first application
    ASSERT_NE(QGuiApplication::instance(), nullptr);
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
    }
}
