// gramarbor-cli tree: what goes to files (tree files, pictures, LaTeX) and standard
// input; the texts it prints are among the golden command lines.
#include <gtest/gtest.h>

#include <filesystem>

#include "run_cli.h"

namespace {

const auto TempFile = TempPath;

TEST(CliTree, StandardInputIsUtf8AndUmlautsSurviveWindows1252) {
    const std::string out = TempFile("umlaut.txt");
    EXPECT_EQ(RunCli({"tree", "-", "-o", out}, "  [Sätze [Öl]]\n").ExitCode, 0);
    EXPECT_EQ(Slurp(out), "[Sätze [Öl]]\n");
}

TEST(CliTree, PngBeyondTheImageLimitsPointsToTheVectorFormats) {
    // Five leaves 10000 apart: more than 32767 pixels wide.
    std::vector<std::string> args = {"tree", "[S [A] [B] [C] [D [E] [F]]]", "--hdist", "10000",
                                     "-o",   TempFile("wide.png")};
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_NE(r.Err.find("too large for a PNG image (at most 32767 pixels a side"),
              std::string::npos);
    EXPECT_NE(r.Err.find("save it as SVG, PDF or WMF instead"), std::string::npos) << r.Err;
    args.back() = TempFile("wide.svg");
    EXPECT_EQ(RunCli(args).ExitCode, 0);
}

TEST(CliTree, TreeFilesKeepDistancesPlaneTidyAndArrows) {
    const std::string one = TempFile("one.tre"), plane = TempFile("plane.tre"),
                      plain = TempFile("plain.tre"), again = TempFile("again.tre");
    ASSERT_EQ(RunCli({"tree", "[S]", "-o", one}).ExitCode, 0);
    ASSERT_EQ(
        RunCli({"tree", "[r [a] [b [c] [d]]]", "--plane", "--hdist", "80", "-o", plane}).ExitCode,
        0);
    EXPECT_EQ(RunCli({"tree", "--in", plane, "--parent-outside", "--separator", "comma",
                      "--brackets", "()"})
                  .Out,
              "r($(a),b(c,d))\n");
    EXPECT_EQ(
        RunCli({"tree", "--in", plane, "--keep-positions", "-o", TempFile("kept.svg")}).ExitCode,
        0);
    EXPECT_EQ(Slurp(plane)[2], 40) << "bytes 2..5 hold half the distance";

    // Byte 10 holds the options; tidy layout (0x40) is the default for text, and a
    // tree file keeps its own choice.
    const auto tidy = [](const std::string& file) { return (Slurp(file).at(10) & 0x40) != 0; };
    EXPECT_TRUE(tidy(one));
    ASSERT_EQ(RunCli({"tree", "[S [a] [b]]", "--no-tidy", "-o", plain}).ExitCode, 0);
    EXPECT_FALSE(tidy(plain));
    ASSERT_EQ(RunCli({"tree", "--in", plain, "-o", again}).ExitCode, 0);
    EXPECT_EQ(Slurp(again), Slurp(plain));
    ASSERT_EQ(RunCli({"tree", "--in", plain, "--tidy", "-o", again}).ExitCode, 0);
    EXPECT_TRUE(tidy(again));
    ASSERT_EQ(RunCli({"tree", "[S [who<1] [VP [t>1]]]", "-o", again}).ExitCode, 0);
    EXPECT_EQ(RunCli({"tree", "--in", again}).Out, "[S [who<1] [VP [t>1]]]\n");
}

TEST(CliTree, WritesPicturesInEveryFormatAndScalesPng) {
    const struct {
        const char* Name;
        std::string Magic;
    } formats[] = {{"t.wmf", std::string("\xD7\xCD\xC6\x9A", 4)},
                   {"t.svg", "<?xml"},
                   {"t.png", "\x89PNG"},
                   {"t.pdf", "%PDF"},
                   {"t.tex", "% A tree drawn by Gramarbor"}};
    for (const auto& f : formats) {
        const std::string path = TempFile(f.Name);
        const CliResult r =
            RunCli({"tree", "[S [\"NP|[+def]\" [%bDet] [N]] [VP]]", "--frames", "--triangles",
                    "--arrows", "--bold-lines", "--font", "Times New Roman", "-o", path});
        EXPECT_EQ(r.ExitCode, 0) << f.Name << ": " << r.Err;
        EXPECT_EQ(Slurp(path).substr(0, f.Magic.size()), f.Magic) << f.Name;
    }
    // A markup error fails the command and writes no picture.
    const std::string badPath = TempFile("bad.svg");
    const CliResult bad = RunCli({"tree", "[S [a%'Times]]", "-o", badPath});
    EXPECT_EQ(bad.ExitCode, 2);
    EXPECT_EQ(bad.Err, "error: \"'\" expected in \"a%'Times\".\n");
    EXPECT_FALSE(std::filesystem::exists(badPath));
    const std::string tex = TempFile("tree.tex");
    ASSERT_EQ(RunCli({"tree", "[S [NP%_i] [VP]]", "-o", tex, "--latex", "qtree"}).ExitCode, 0);
    EXPECT_NE(Slurp(tex).find("\\Tree"), std::string::npos);

    // The PNG header holds width and height as big-endian 32-bit numbers at 16 and 20.
    const auto size = [](const std::string& file) {
        const std::string png = Slurp(file);
        const auto at = [&](std::size_t i) {
            return (uint32_t(uint8_t(png[i])) << 24) | (uint32_t(uint8_t(png[i + 1])) << 16) |
                   (uint32_t(uint8_t(png[i + 2])) << 8) | uint8_t(png[i + 3]);
        };
        return std::pair{at(16), at(20)};
    };
    const std::string one = TempFile("one.png"), three = TempFile("three.png");
    ASSERT_EQ(RunCli({"tree", "[S [NP] [VP]]", "-o", one}).ExitCode, 0);
    ASSERT_EQ(RunCli({"tree", "[S [NP] [VP]]", "-o", three, "--scale", "3"}).ExitCode, 0);
    EXPECT_EQ(size(three), std::pair(3 * size(one).first, 3 * size(one).second));
}

TEST(CliTree, TextWithoutATreeWritesNoFile) {
    // Parent outside, a lone closing bracket reads as no tree at all.
    for (const std::string out : {"none.tre", "none.svg", "none.wmf"}) {
        const CliResult r =
            RunCli({"tree", "--brackets", "()", "--parent-outside", ")", "-o", TempFile(out)});
        EXPECT_EQ(r.ExitCode, 2) << out;
        EXPECT_NE(r.Err.find("\nerror: "), std::string::npos) << out << ": " << r.Err;
        EXPECT_FALSE(std::filesystem::exists(TempPath(out))) << out;
    }
}

TEST(CliTree, MarksOfSingleNodesWarnOnBracketTextOnly) {
    const std::string svg = TempFile("marks.svg"), file = TempFile("marks.tre");
    EXPECT_EQ(
        RunCli({"tree", "[S [NP] [VP]]", "--triangles", "--bold-lines", "--arrows", "-o", svg}).Err,
        "warning: --triangles and --arrows do nothing here: nodes read from bracket text carry "
        "no frames, triangles or arrows (the nodes of a tree file can)\n");
    EXPECT_EQ(RunCli({"tree", "[S [NP] [VP]]", "--bold-lines", "-o", svg}).Err, "");
    ASSERT_EQ(RunCli({"tree", "[S [NP] [VP]]", "-o", file}).ExitCode, 0);
    EXPECT_EQ(RunCli({"tree", "--in", file, "--frames", "--triangles", "--arrows", "-o", svg}).Err,
              "");
}

} // namespace
