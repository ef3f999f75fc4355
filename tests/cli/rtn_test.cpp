// gramarbor-cli rtn and cfg: network files and pictures from grammars, grammars from
// network files (their messages are among the golden command lines).
#include <filesystem>
#include <gtest/gtest.h>

#include "picture/wmf_readers.h"
#include "run_cli.h"

namespace {

namespace fs = std::filesystem;
using gramarbor::testing::ExpectReadableWmf;

TEST(RtnCli, GrammarToNetworkFileAndBackKeepsBracketsAndUmlauts) {
    const std::string quick = TempPath("quick.rtn");
    const CliResult made = RunCli(
        {"rtn", ExamplePath("quickstart.cfg"), "-o", quick, "--node-size", "3", "--arcs-only"});
    ASSERT_EQ(made.ExitCode, 0) << made.Err;
    EXPECT_EQ(made.Err, "");
    EXPECT_EQ(Slurp(quick).substr(0, 13), std::string("\0\3\0\0\0\0\0\0\0\7\0\0\0", 13));
    const CliResult back = RunCli({"cfg", quick});
    EXPECT_EQ(back.ExitCode, 0) << back.Err;
    EXPECT_EQ(back.Out, "S = NP VP\nNP = DET N\nVP = V NP\nDET = \"the\"\nN = \"cat\"\n"
                        "N = \"dog\"\nV = \"chases\"\n");

    const std::string tokens = TempPath("t.RTN"), umlauts = TempPath("u.rtn");
    ASSERT_EQ(RunCli({"rtn", ExamplePath("token_classes.cfg"), "-o", tokens}).ExitCode, 0);
    const std::string text = RunCli({"cfg", tokens}).Out;
    EXPECT_NE(text.find("STATEMENT = \"print\" <@Number,@Ident>\n"), std::string::npos);
    EXPECT_NE(text.find("PROGRAM = STATEMENT [NEXT]\n"), std::string::npos);
    ASSERT_EQ(RunCli({"rtn", TestDataPath("grammar/umlauts_cp1252.cfg"), "-o", umlauts}).ExitCode,
              0);
    EXPECT_NE(RunCli({"cfg", umlauts}).Out.find("NOMEN = \"M\xC3\xBCller\"\n"), std::string::npos);
}

TEST(RtnCli, MetafilesWholeAndSplit) {
    ASSERT_EQ(
        RunCli({"rtn", ExamplePath("optional_repeated.cfg"), "-o", TempPath("net.wmf")}).ExitCode,
        0);
    ExpectReadableWmf(TempPath("net.wmf"));
    const CliResult split = RunCli({"rtn", ExamplePath("optional_repeated.cfg"), "-o",
                                    TempPath("RTN.WMF"), "--split", "--node-dist", "4"});
    ASSERT_EQ(split.ExitCode, 0) << split.Err;
    for (const char* name : {"RTN_0.WMF", "RTN_1.WMF", "RTN_2.WMF"})
        ExpectReadableWmf(TempPath(name));
    EXPECT_FALSE(fs::exists(TempPath("RTN.WMF")));
    // Two nets: only two parts hold nets.
    const std::string two = WriteTempFile("two.cfg", "S = A\nA = \"a\"\n");
    ASSERT_EQ(RunCli({"rtn", two, "-o", TempPath("two.wmf"), "--split"}).ExitCode, 0);
    ExpectReadableWmf(TempPath("two_0.wmf"));
    ExpectReadableWmf(TempPath("two_1.wmf"));
    EXPECT_FALSE(fs::exists(TempPath("two_2.wmf")));
}

TEST(RtnCli, OtherPictureFormats) {
    const CliResult svg = RunCli({"rtn", ExamplePath("quickstart.cfg"), "-o", TempPath("q.svg")});
    if (svg.ExitCode == 2 && svg.Err.find("only .rtn and .wmf") != std::string::npos)
        GTEST_SKIP() << "built without Qt";
    ASSERT_EQ(svg.ExitCode, 0) << svg.Err;
    EXPECT_NE(Slurp(TempPath("q.svg")).find("<svg"), std::string::npos);
    for (const auto& [name, magic] : {std::pair{"q.png", "\x89PNG"}, std::pair{"q.pdf", "%PDF"}}) {
        ASSERT_EQ(RunCli({"rtn", ExamplePath("quickstart.cfg"), "-o", TempPath(name)}).ExitCode, 0);
        EXPECT_EQ(Slurp(TempPath(name)).substr(0, 4), magic);
    }
}

TEST(RtnCli, ARefusedGrammarWritesNoFileAndAnUndeclaredSymbolIsNoRefusal) {
    const std::string refused = TempPath("m.rtn"), undeclared = TempPath("u2.rtn");
    EXPECT_EQ(
        RunCli({"rtn", TestDataPath("rtn/too_many_alternatives.cfg"), "-o", refused}).ExitCode, 2);
    EXPECT_FALSE(fs::exists(refused));
    // Reading alone is enough: an undeclared symbol is still converted.
    EXPECT_EQ(RunCli({"rtn", TestDataPath("parsing/undeclared.cfg"), "-o", undeclared}).ExitCode,
              0);
}

} // namespace
