// Metafiles written by the writer, read back by the readers found on Linux desktops
// (libwmf's wmf2svg and ImageMagick); skipped when the tools are not installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "base/file_io.h"
#include "picture/wmf_writer.h"

using namespace gramarbor;
namespace fs = std::filesystem;

namespace {

bool HaveTool(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

fs::path Folder() {
    const fs::path folder = fs::path(testing::TempDir()) / "wmf_readers";
    fs::create_directories(folder);
    return folder;
}

struct ToolRun {
    int Status = -1;
    std::string Err;
};

ToolRun Run(const std::string& command, const fs::path& errFile) {
    ToolRun run;
    run.Status = std::system((command + " 2>" + errFile.string()).c_str());
    ReadFileBytes(errFile.string(), run.Err);
    return run;
}

std::string Slurp(const fs::path& path) {
    std::string bytes;
    ReadFileBytes(path.string(), bytes);
    return bytes;
}

// Writes the picture and converts it with wmf2svg; the SVG text, or "" on failure.
std::string ToSvg(const Picture& picture, const std::string& name) {
    const fs::path wmf = Folder() / (name + ".wmf");
    const fs::path svg = Folder() / (name + ".svg");
    EXPECT_TRUE(SavePictureAsWmf(picture, wmf.string()));
    const ToolRun run =
        Run("wmf2svg -o " + svg.string() + " " + wmf.string(), Folder() / (name + ".svg.err"));
    EXPECT_EQ(run.Status, 0) << name << ": " << run.Err;
    EXPECT_EQ(run.Err, "") << name;
    return run.Status == 0 ? Slurp(svg) : std::string();
}

struct Image {
    int Width = 0;
    int Height = 0;
    std::string Pixels; // RGB bytes
    uint32_t At(int x, int y) const {
        if (x < 0 || y < 0 || x >= Width || y >= Height) return 0xFFFFFF;
        const std::size_t i = 3 * (static_cast<std::size_t>(y) * Width + x);
        return (static_cast<uint8_t>(Pixels[i]) << 16) |
               (static_cast<uint8_t>(Pixels[i + 1]) << 8) | static_cast<uint8_t>(Pixels[i + 2]);
    }
};

// Writes the picture and renders it with ImageMagick at 96 dpi into a binary PPM.
Image ToImage(const Picture& picture, const std::string& name) {
    const fs::path wmf = Folder() / (name + ".wmf");
    const fs::path ppm = Folder() / (name + ".ppm");
    EXPECT_TRUE(SavePictureAsWmf(picture, wmf.string()));
    const ToolRun run = Run("convert -density 96 " + wmf.string() + " -depth 8 " + ppm.string(),
                            Folder() / (name + ".ppm.err"));
    EXPECT_EQ(run.Status, 0) << name << ": " << run.Err;
    EXPECT_EQ(run.Err, "") << name;
    Image image;
    std::istringstream in(Slurp(ppm));
    std::string magic;
    int maxValue = 0;
    in >> magic >> image.Width >> image.Height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255) return Image();
    image.Pixels.assign(std::istreambuf_iterator<char>(in), {});
    if (image.Pixels.size() != 3u * image.Width * image.Height) return Image();
    return image;
}

bool IsDark(uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) < 100 && ((rgb >> 8) & 0xFF) < 100 && (rgb & 0xFF) < 100;
}
bool IsWhite(uint32_t rgb) {
    return rgb == 0xFFFFFF;
}
// Thin lines come out antialiased, as grey pixels.
bool IsInk(uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) < 230 && ((rgb >> 8) & 0xFF) < 230 && (rgb & 0xFF) < 230;
}

// Whether some pixel within radius of (x, y) passes the test.
template <typename Test> bool Near(const Image& image, int x, int y, int radius, Test test) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (test(image.At(x + dx, y + dy))) return true;
    return false;
}

int CountIn(const Image& image, int left, int top, int right, int bottom, bool (*test)(uint32_t)) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += test(image.At(x, y));
    return count;
}

// One of every canvas operation at known places, 400 x 300.
Picture Sampler() {
    static ApproxTextMeasurer measurer;
    Picture picture;
    picture.Width = 400;
    picture.Height = 300;
    PictureRecorder canvas(picture, measurer);
    canvas.State.BrushColor = clBlack;
    canvas.FillRect({20, 20, 60, 60});
    canvas.State.BrushColor = clWhite;
    canvas.Rectangle({80, 20, 140, 60});
    canvas.State.BrushColor = clRed;
    canvas.Ellipse({160, 20, 240, 60});
    canvas.State.BrushStyle = TBrushStyle::bsClear;
    canvas.RoundRect({260, 20, 380, 60}, 20, 20);
    canvas.MoveTo(20, 100);
    canvas.LineTo(200, 100);
    canvas.State.PenWidth = 2;
    canvas.MoveTo(20, 120);
    canvas.LineTo(200, 120);
    canvas.State.PenWidth = 1;
    canvas.Arc({220, 80, 300, 160}, {300, 120}, {260, 80});
    canvas.State.BrushStyle = TBrushStyle::bsSolid;
    canvas.State.BrushColor = clBlack;
    canvas.Polygon({{320, 80}, {380, 80}, {350, 140}});
    canvas.State.BrushStyle = TBrushStyle::bsClear;
    canvas.State.Font = {"Arial", -20, 0, clBlack};
    canvas.TextOut(20, 160, "Gramarbor");
    canvas.State.Font = {"Arial", 22, fsBold | fsItalic, clBlack};
    canvas.TextOut(20, 200, "Bold");
    canvas.State.Font = {"Courier New", -20, fsUnderline | fsStrikeOut, clBlack};
    canvas.TextOut(20, 240, "Tr\xE4ume");
    canvas.State.BrushStyle = TBrushStyle::bsSolid;
    canvas.State.BrushColor = 0x00FFFF; // yellow
    canvas.State.Font = {"Times New Roman", -20, 0, clBlack};
    canvas.TextOut(200, 200, "Opaque");
    canvas.State.BrushStyle = TBrushStyle::bsClear;
    canvas.State.PenMode = TPenMode::pmXor;
    canvas.State.PenColor = clTeal;
    canvas.Rectangle({300, 240, 390, 290});
    return picture;
}

double Attr(const std::smatch& m, int i) {
    return std::stod(m[i].str());
}

} // namespace

TEST(WmfReaders, Wmf2SvgPlacesEveryOperation) {
    if (!HaveTool("wmf2svg")) GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    const std::string svg = ToSvg(Sampler(), "sampler");
    ASSERT_NE(svg, "");
    EXPECT_NE(svg.find("width=\"400\" height=\"300\""), std::string::npos);
    for (const char* text :
         {">Gramarbor</text>", ">Bold</text>", ">Opaque</text>", ">Tr\xE4ume</text>"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    EXPECT_NE(svg.find("font-size:19.9"), std::string::npos) << "a 20-unit character height";
    EXPECT_NE(svg.find("font-weight:bold"), std::string::npos);

    const double tolerance = 1.5;
    bool rectangle = false, roundRect = false;
    const std::regex rect(
        R"re(<rect x="([-\d.]+)" y="([-\d.]+)" width="([\d.]+)" height="([\d.]+)"( rx)?)re");
    for (std::sregex_iterator it(svg.begin(), svg.end(), rect), end; it != end; ++it) {
        const std::smatch& m = *it;
        const auto near = [&](double x, double y, double w, double h) {
            return std::abs(Attr(m, 1) - x) < tolerance && std::abs(Attr(m, 2) - y) < tolerance &&
                   std::abs(Attr(m, 3) - w) < tolerance && std::abs(Attr(m, 4) - h) < tolerance;
        };
        rectangle = rectangle || (!m[5].matched && near(80, 20, 60, 40));
        roundRect = roundRect || (m[5].matched && near(260, 20, 120, 40));
    }
    EXPECT_TRUE(rectangle);
    EXPECT_TRUE(roundRect);

    std::smatch m;
    ASSERT_TRUE(std::regex_search(
        svg, m,
        std::regex(R"re(<ellipse cx="([\d.]+)" cy="([\d.]+)" rx="([\d.]+)" ry="([\d.]+)")re")));
    EXPECT_NEAR(Attr(m, 1), 200, tolerance);
    EXPECT_NEAR(Attr(m, 2), 40, tolerance);
    EXPECT_NEAR(Attr(m, 3), 40, tolerance);
    EXPECT_NEAR(Attr(m, 4), 20, tolerance);
    ASSERT_TRUE(std::regex_search(
        svg, m,
        std::regex(R"re(<line x1="([\d.]+)" y1="([\d.]+)" x2="([\d.]+)" y2="([\d.]+)")re")));
    EXPECT_NEAR(Attr(m, 1), 20, tolerance);
    EXPECT_NEAR(Attr(m, 2), 100, tolerance);
    EXPECT_NEAR(Attr(m, 3), 200, tolerance);
    EXPECT_NEAR(Attr(m, 4), 100, tolerance);
    ASSERT_TRUE(std::regex_search(
        svg, m,
        std::regex(
            R"re(<polygon points="([\d.]+),([\d.]+)\s+([\d.]+),([\d.]+) ([\d.]+),([\d.]+))re")));
    EXPECT_NEAR(Attr(m, 1), 320, tolerance);
    EXPECT_NEAR(Attr(m, 2), 80, tolerance);
    EXPECT_NEAR(Attr(m, 5), 350, tolerance);
    EXPECT_NEAR(Attr(m, 6), 140, tolerance);
}

TEST(WmfReaders, ImageMagickRendersShapesAndTextInPlace) {
    if (!HaveTool("convert") || !HaveTool("wmf2svg"))
        GTEST_SKIP() << "ImageMagick or libwmf is not installed";
    const Image image = ToImage(Sampler(), "sampler");
    ASSERT_EQ(image.Width, 400);
    ASSERT_EQ(image.Height, 300);
    const auto ink = [](uint32_t c) { return IsInk(c); };
    const auto white = [](uint32_t c) { return IsWhite(c); };
    // Filled black box, white around it.
    EXPECT_TRUE(IsDark(image.At(40, 40)));
    EXPECT_TRUE(IsDark(image.At(21, 21)));
    EXPECT_TRUE(IsWhite(image.At(17, 40)));
    EXPECT_TRUE(IsWhite(image.At(63, 40)));
    // Outlined rectangle: dark edges, white inside.
    EXPECT_TRUE(Near(image, 80, 40, 1, ink));
    EXPECT_TRUE(Near(image, 139, 40, 1, ink));
    EXPECT_TRUE(IsWhite(image.At(110, 40)));
    EXPECT_TRUE(IsWhite(image.At(144, 40)));
    // Red ellipse, the corner of its box outside it.
    EXPECT_EQ(image.At(200, 40), 0xFF0000u);
    EXPECT_TRUE(IsWhite(image.At(163, 23)));
    // Rounded rectangle: straight edges, round corners, nothing filled.
    EXPECT_TRUE(Near(image, 320, 20, 1, ink));
    EXPECT_TRUE(IsWhite(image.At(261, 21)));
    EXPECT_TRUE(IsWhite(image.At(320, 40)));
    // Lines of width 1 and 2.
    EXPECT_TRUE(Near(image, 100, 100, 1, ink));
    EXPECT_TRUE(IsWhite(image.At(100, 104)));
    EXPECT_TRUE(Near(image, 100, 120, 1, ink));
    EXPECT_TRUE(IsWhite(image.At(210, 120)));
    // The arc runs counter-clockwise from the right to the top: only the upper
    // right quarter of the circle.
    EXPECT_TRUE(Near(image, 288, 92, 1, ink));
    EXPECT_TRUE(IsWhite(image.At(232, 92)) && IsWhite(image.At(231, 91)));
    EXPECT_EQ(CountIn(image, 220, 121, 300, 161, IsDark), 0);
    // Filled triangle.
    EXPECT_TRUE(IsDark(image.At(350, 100)));
    EXPECT_TRUE(IsWhite(image.At(325, 130)));
    // Texts: ink inside their cells, none far to the right of them.
    EXPECT_GT(CountIn(image, 20, 160, 120, 184, IsDark), 100);
    EXPECT_EQ(CountIn(image, 125, 160, 200, 184, IsDark), 0);
    EXPECT_GT(CountIn(image, 20, 200, 80, 224, IsDark), 50);
    EXPECT_GT(CountIn(image, 20, 240, 110, 264, IsDark), 50);
    // The opaque text has a yellow background.
    int yellow = 0;
    for (int y = 200; y < 222; ++y)
        for (int x = 200; x < 260; ++x)
            yellow += image.At(x, y) == 0xFFFF00u;
    EXPECT_GT(yellow, 200);
    EXPECT_TRUE(Near(image, 0, 0, 0, white));
}

TEST(WmfReaders, AcceptUnusualPictures) {
    if (!HaveTool("convert") || !HaveTool("wmf2svg"))
        GTEST_SKIP() << "ImageMagick or libwmf is not installed";
    ApproxTextMeasurer measurer;
    std::vector<std::pair<std::string, Picture>> pictures;
    Picture empty;
    empty.Width = 0;
    empty.Height = -128;
    pictures.emplace_back("empty", empty);

    Picture fonts;
    fonts.Width = 600;
    fonts.Height = 400;
    PictureRecorder canvas(fonts, measurer);
    const char* names[] = {"Arial", "Courier New", "Times New Roman",
                           "A font name longer than thirty-two bytes"};
    for (int i = 0; i < 80; ++i) {
        canvas.State.Font = {names[i % 4], (i % 2 ? 1 : -1) * (6 + i % 20),
                             static_cast<uint8_t>(i % 16), TColor(i * 997)};
        canvas.State.BrushStyle = i % 3 ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
        canvas.State.BrushColor = TColor(i * 12345);
        canvas.State.PenMode = i % 5 ? TPenMode::pmCopy : TPenMode::pmXor;
        canvas.State.PenWidth = 1 + i % 3;
        canvas.TextOut((i * 37) % 550, (i * 53) % 380, i % 2 ? "odd" : "even");
        canvas.RoundRect({i, i, i + 30, i + 20}, i % 7, i % 5);
        canvas.Arc({100 + i, 100, 200 + i, 160}, {i, 0}, {0, i});
        canvas.LineTo(i * 7 % 600, i * 13 % 400);
    }
    canvas.MoveTo(-50000, -50000);
    canvas.LineTo(50000, 50000);
    std::vector<TPoint> star;
    for (int i = 0; i < 500; ++i)
        star.push_back({300 + (i * 17) % 200, 100 + (i * 31) % 250});
    canvas.Polygon(star);
    pictures.emplace_back("fonts", fonts);

    for (const auto& [name, picture] : pictures) {
        EXPECT_NE(ToSvg(picture, name), "") << name;
        const Image image = ToImage(picture, name);
        EXPECT_EQ(image.Width, std::max(1, picture.Width)) << name;
    }
}
