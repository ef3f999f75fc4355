// gramarbor-cli tree: standard input and PNG sizes, which depend on the fonts; the
// files it writes otherwise and the texts it prints are among the golden command lines.
#include <gtest/gtest.h>

#include "run_cli.h"

namespace {

TEST(CliTree, StandardInputIsUtf8AndUmlautsSurviveWindows1252) {
    const std::string out = TempPath("umlaut.txt");
    EXPECT_EQ(RunCli({"tree", "-", "-o", out}, "  [Sätze [Öl]]\n").ExitCode, 0);
    EXPECT_EQ(Slurp(out), "[Sätze [Öl]]\n");
}

TEST(CliTree, PngBeyondTheImageLimitsPointsToTheVectorFormats) {
    // Five leaves 10000 apart: more than 32767 pixels wide.
    std::vector<std::string> args = {"tree", "[S [A] [B] [C] [D [E] [F]]]", "--hdist", "10000",
                                     "-o",   TempPath("wide.png")};
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_NE(r.Err.find("too large for a PNG image (at most 32767 pixels a side"),
              std::string::npos);
    EXPECT_NE(r.Err.find("save it as SVG, PDF or WMF instead"), std::string::npos) << r.Err;
    args.back() = TempPath("wide.svg");
    EXPECT_EQ(RunCli(args).ExitCode, 0);
}

TEST(CliTree, ScaleMultipliesThePngSize) {
    // The PNG header holds width and height as big-endian 32-bit numbers at 16 and 20.
    const auto size = [](const std::string& file) {
        const std::string png = Slurp(file);
        std::pair<uint64_t, uint64_t> size{0, 0};
        for (std::size_t i = 16; i < 20; ++i)
            size = {size.first << 8 | uint8_t(png.at(i)),
                    size.second << 8 | uint8_t(png.at(i + 4))};
        return size;
    };
    const std::string one = TempPath("one.png"), three = TempPath("three.png");
    ASSERT_EQ(RunCli({"tree", "[S [NP] [VP]]", "-o", one}).ExitCode, 0);
    ASSERT_EQ(RunCli({"tree", "[S [NP] [VP]]", "-o", three, "--scale", "3"}).ExitCode, 0);
    EXPECT_EQ(size(three), std::pair(3 * size(one).first, 3 * size(one).second));
}

} // namespace
