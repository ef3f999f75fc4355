// gramarbor-cli tree: formats of bracket text, tree files, pictures and errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "run_cli.h"

namespace {

std::string TempFile(const std::string& name) {
    const std::string path = TempPath(name);
    std::filesystem::remove(path);
    return path;
}

TEST(CliTree, ReadsAndWritesEveryBracketFormat) {
    CliResult r = RunCli({"tree", "[S, [NP,[DET],[N]],[VP]]  ", "--separator", "comma"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "[S,[NP,[DET],[N]],[VP]]\n");
    r = RunCli({"tree", "{S {NP} {VP}}", "--brackets", "{}"});
    EXPECT_EQ(r.Out, "{S {NP} {VP}}\n");

    r = RunCli({"tree", "--separator", "comma", "--brackets", "()", "--parent-outside",
                "--vertical", "s(np(name(john)),vp(v(ate),np(det(the),n(cat))))"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out,
              "s(np(name(john)),\r\n  vp(v(ate),\r\n     np(det(the),\r\n        n(cat))))\r\n");

    // Standard input is UTF-8; umlauts survive the trip through Windows-1252.
    const std::string out = TempFile("umlaut.txt");
    r = RunCli({"tree", "-", "-o", out}, "  [Sätze [Öl]]\n");
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(Slurp(out), "[Sätze [Öl]]\n");
}

TEST(CliTree, ReportsTheTreesMessages) {
    CliResult r = RunCli({"tree", "[X [A] [B] [C] [D] [E]]"});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_NE(r.Err.find("Too many children in node >X<."), std::string::npos) << r.Err;
    EXPECT_EQ(r.Out, "");

    r = RunCli({"tree", "[S] extra"});
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_EQ(r.Err, "warning: not all characters of the input string have been consumed: "
                     "remainder is > extra<.\n");

    r = RunCli({"tree", "--in", TempFile("missing.tre")});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_NE(r.Err.find("Couldn`t open file \""), std::string::npos) << r.Err;
}

TEST(CliTree, PngBeyondTheImageLimitsPointsToTheVectorFormats) {
    // Five leaves 10000 apart: more than 32767 pixels wide.
    const std::vector<std::string> wide = {"tree", "[S [A] [B] [C] [D [E] [F]]]", "--hdist",
                                           "10000", "-o"};
    std::vector<std::string> args = wide;
    args.push_back(TempFile("wide.png"));
    CliResult r = RunCli(args);
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_NE(r.Err.find("too large for a PNG image (at most 32767 pixels a side"),
              std::string::npos)
        << r.Err;
    EXPECT_NE(r.Err.find("save it as SVG, PDF or WMF instead"), std::string::npos) << r.Err;
    args.back() = TempFile("wide.svg");
    EXPECT_EQ(RunCli(args).ExitCode, 0);
}

TEST(CliTree, RejectsBadArguments) {
    const std::vector<std::vector<std::string>> bad = {
        {"tree"},
        {"tree", "[S]", "[T]"},
        {"tree", "[S]", "--separator", "tab"},
        {"tree", "[S]", "--brackets", "[)"},
        {"tree", "[S]", "--hdist", "x"},
        {"tree", "[S]", "--wobble"},
        {"tree", "[S]", "-o", TempFile("x.doc")},
        {"tree", "[S]", "--in", "a.tre"},
        {"tree", "[S]", "--scale", "5", "-o", TempFile("x.png")},
        {"tree", "[S]", "--scale", "2", "-o", TempFile("x.svg")},
        {"tree", "[S]", "--latex", "tikz"},
        {"tree", "[S]", "--latex", "forest", "-o", TempFile("x.png")},
        {"tree", "[S]", "--tree", "2"},
    };
    for (const auto& args : bad) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.ExitCode, 2) << args.back();
        EXPECT_NE(r.Err.find("--help"), std::string::npos) << args.back() << ": " << r.Err;
    }
    const CliResult help = RunCli({"tree", "--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Out.find("--plane[=ok|direct]"), std::string::npos);
}

TEST(CliTree, TreeFilesRoundTrip) {
    const std::string file = TempFile("one.tre");
    CliResult r = RunCli({"tree", "[S]", "-o", file});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(Slurp(file).size(), 93u);

    const std::string planeFile = TempFile("plane.tre");
    r = RunCli({"tree", "[r [a] [b [c] [d]]]", "--plane", "--hdist", "80", "-o", planeFile});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    r = RunCli({"tree", "--in", planeFile, "--parent-outside", "--separator", "comma", "--brackets",
                "()"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "r($(a),b(c,d))\n");
    // A tree file is drawn with its stored positions when asked.
    r = RunCli({"tree", "--in", planeFile, "--keep-positions", "-o", TempFile("kept.svg")});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;

    // The distance was stored: the file's bytes 2..5 hold half of it.
    const std::string bytes = Slurp(planeFile);
    ASSERT_GT(bytes.size(), 6u);
    EXPECT_EQ(bytes[2], 40);
}

TEST(CliTree, TidyLayoutIsTheDefaultForTextAndTreeFilesKeepTheirChoice) {
    // The options byte of a tree file is its byte 10; tidy layout is 0x40.
    const auto tidyBit = [](const std::string& file) {
        const std::string bytes = Slurp(file);
        return bytes.size() > 10 && (bytes[10] & 0x40) != 0;
    };
    const std::string tidy = TempFile("tidy.tre"), plain = TempFile("plain.tre"),
                      again = TempFile("again.tre");
    ASSERT_EQ(RunCli({"tree", "[S [a] [b]]", "-o", tidy}).ExitCode, 0);
    ASSERT_EQ(RunCli({"tree", "[S [a] [b]]", "--no-tidy", "-o", plain}).ExitCode, 0);
    EXPECT_TRUE(tidyBit(tidy));
    EXPECT_FALSE(tidyBit(plain));
    ASSERT_EQ(RunCli({"tree", "--in", plain, "-o", again}).ExitCode, 0);
    EXPECT_EQ(Slurp(again), Slurp(plain));
    ASSERT_EQ(RunCli({"tree", "--in", plain, "--tidy", "-o", again}).ExitCode, 0);
    EXPECT_TRUE(tidyBit(again));
    // Arrows written as markers come back from the tree file.
    ASSERT_EQ(RunCli({"tree", "[S [who<1] [VP [t>1]]]", "-o", again}).ExitCode, 0);
    EXPECT_EQ(RunCli({"tree", "--in", again}).Out, "[S [who<1] [VP [t>1]]]\n");
}

TEST(CliTree, WritesPicturesInEveryFormat) {
    const struct {
        const char* Name;
        std::string Magic;
    } formats[] = {
        {"t.wmf", std::string("\xD7\xCD\xC6\x9A", 4)},
        {"t.svg", "<?xml"},
        {"t.png", "\x89PNG"},
        {"t.pdf", "%PDF"},
    };
    for (const auto& f : formats) {
        const std::string path = TempFile(f.Name);
        const CliResult r =
            RunCli({"tree", "[S [\"NP|[+def]\" [%bDet] [N]] [VP]]", "--frames", "--triangles",
                    "--arrows", "--bold-lines", "--font", "Times New Roman", "-o", path});
        EXPECT_EQ(r.ExitCode, 0) << f.Name << ": " << r.Err;
        const std::string bytes = Slurp(path);
        EXPECT_EQ(bytes.substr(0, f.Magic.size()), f.Magic) << f.Name;
    }
    const CliResult bad = RunCli({"tree", "[S [a%'Times]]", "-o", TempFile("bad.svg")});
    EXPECT_EQ(bad.ExitCode, 2);
    EXPECT_NE(bad.Err.find("\"'\" expected in \"a%'Times\"."), std::string::npos) << bad.Err;
}

TEST(CliTree, DoubleDashEndsTheOptions) {
    const struct {
        std::vector<std::string> Args;
        std::string Out;
    } cases[] = {
        {{"tree", "--parent-outside", "--brackets", "()", "--", "-x(a)"}, "-x(a)\n"},
        {{"tree", "--", "[-x [a]]"}, "[-x [a]]\n"},
        {{"tree", "--", "[--vertical]"}, "[--vertical]\n"},
    };
    for (const auto& c : cases) {
        const CliResult r = RunCli(c.Args);
        EXPECT_EQ(r.ExitCode, 0) << c.Args.back() << ": " << r.Err;
        EXPECT_EQ(r.Out, c.Out);
    }
    EXPECT_EQ(RunCli({"tree", "[S]", "--"}).ExitCode, 2);
}

TEST(CliTree, TextWithoutATreeIsAnErrorForEveryOutput) {
    // Parent outside, a lone closing bracket reads as no tree at all.
    for (const std::string out : {"none.tre", "none.svg", "none.wmf", ""}) {
        std::vector<std::string> args{"tree", "--brackets", "()", "--parent-outside", ")"};
        if (!out.empty()) {
            args.push_back("-o");
            args.push_back(TempFile(out));
        }
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.ExitCode, 2) << out;
        EXPECT_NE(r.Err.find("\nerror: "), std::string::npos) << out << ": " << r.Err;
        if (!out.empty()) {
            EXPECT_FALSE(std::filesystem::exists(TempPath(out))) << out;
        }
    }
}

TEST(CliTree, MarksOfSingleNodesWarnOnBracketText) {
    const std::string svg = TempFile("marks.svg");
    CliResult r =
        RunCli({"tree", "[S [NP] [VP]]", "--triangles", "--bold-lines", "--arrows", "-o", svg});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Err, "warning: --triangles and --arrows do nothing here: nodes read from "
                     "bracket text carry no frames, triangles or arrows (the nodes of a tree "
                     "file can)\n");
    EXPECT_EQ(RunCli({"tree", "[S [NP] [VP]]", "--bold-lines", "-o", svg}).Err, "");

    // A tree file can hold such marks: no warning.
    const std::string file = TempFile("marks.tre");
    ASSERT_EQ(RunCli({"tree", "[S [NP] [VP]]", "-o", file}).ExitCode, 0);
    r = RunCli({"tree", "--in", file, "--frames", "--triangles", "--arrows", "-o", svg});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
}

} // namespace

namespace {

TEST(CliTree, LabelledBracketsTreebankFilesLatexAndScaledPng) {
    // Penn text: brackets taken from the text, the empty outer bracket dropped.
    CliResult r = RunCli({"tree", "--labelled", "( (S (NP (DT the) (NN dog)) (VP barks)) )"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "(S (NP (DT the) (NN dog)) (VP barks))\n");
    r = RunCli({"tree", "--labelled", "(S (NP x)"});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_NE(r.Err.find("Unallowed end of input: separator expected."), std::string::npos);

    const std::string sample = std::string(GRAMARBOR_TEST_DATA) + "/tree/penn_sample.mrg";
    r = RunCli({"tree", "--in", sample});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(std::count(r.Out.begin(), r.Out.end(), '\n'), 30);
    r = RunCli({"tree", "--in", sample, "--tree", "3", "--brackets", "[]"});
    EXPECT_EQ(r.Out, "[SBARQ [WHNP-1 [WP What]] [SQ [VBD did] [NP-SBJ [PRP she]] [VP [VB see] "
                     "[NP [-NONE- *T*-1]]]] [. ?]]\n");
    r = RunCli({"tree", "--in", sample, "--tree", "31"});
    EXPECT_NE(r.Err.find("the file holds only 30 trees"), std::string::npos) << r.Err;
    r = RunCli({"tree", "--in", sample, "-o", TempFile("many.png")});
    EXPECT_NE(r.Err.find("the file holds 30 trees; pick one with --tree N"), std::string::npos);

    const std::string tex = TempFile("tree.tex");
    r = RunCli({"tree", "[S [NP%_i] [VP]]", "-o", tex, "--latex", "qtree"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(Slurp(tex).find("\\Tree"), std::string::npos);
    r = RunCli({"tree", "[S [NP%_i] [VP]]", "--latex", "forest"});
    EXPECT_NE(r.Out.find("[{NP\\textsubscript{i}}, name=n2"), std::string::npos) << r.Out;

    const std::string one = TempFile("one.png"), three = TempFile("three.png");
    ASSERT_EQ(RunCli({"tree", "[S [NP] [VP]]", "-o", one}).ExitCode, 0);
    ASSERT_EQ(RunCli({"tree", "[S [NP] [VP]]", "-o", three, "--scale", "3"}).ExitCode, 0);
    // The PNG header holds width and height as big-endian 32-bit numbers at 16 and 20.
    const auto size = [](const std::string& png) {
        const auto at = [&](std::size_t i) {
            return (uint32_t(uint8_t(png[i])) << 24) | (uint32_t(uint8_t(png[i + 1])) << 16) |
                   (uint32_t(uint8_t(png[i + 2])) << 8) | uint8_t(png[i + 3]);
        };
        return std::pair{at(16), at(20)};
    };
    const auto [w1, h1] = size(Slurp(one));
    const auto [w3, h3] = size(Slurp(three));
    EXPECT_EQ(w3, 3 * w1);
    EXPECT_EQ(h3, 3 * h1);
}

} // namespace
