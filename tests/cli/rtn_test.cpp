// gramarbor-cli rtn and cfg: network files and pictures from grammars, grammars from
// network files (their messages are among the golden command lines).
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

#include "picture/wmf_readers.h"
#include "run_cli.h"

namespace {

namespace fs = std::filesystem;

class RtnCli : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::path(::testing::TempDir()) /
              ("rtn_cli_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
               std::to_string(getpid()));
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }
    std::string Path(const std::string& name) const { return (Dir / name).string(); }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
        return Path(name);
    }
    fs::path Dir;
};

using gramarbor::testing::ExpectReadableWmf;

TEST_F(RtnCli, GrammarToNetworkFileAndBack) {
    const CliResult made = RunCli({"rtn", ExamplePath("quickstart.cfg"), "-o", Path("quick.rtn"),
                                   "--node-size", "3", "--arcs-only"});
    ASSERT_EQ(made.ExitCode, 0) << made.Err;
    EXPECT_EQ(made.Err, "");
    const std::string bytes = Slurp(Path("quick.rtn"));
    ASSERT_GE(bytes.size(), 13u);
    EXPECT_EQ(bytes.substr(0, 13), std::string("\0\3\0\0\0\0\0\0\0\7\0\0\0", 13));

    const CliResult back = RunCli({"cfg", Path("quick.rtn")});
    EXPECT_EQ(back.ExitCode, 0) << back.Err;
    EXPECT_EQ(back.Out, "S = NP VP\nNP = DET N\nVP = V NP\nDET = \"the\"\nN = \"cat\"\n"
                        "N = \"dog\"\nV = \"chases\"\n");
}

TEST_F(RtnCli, BracketsSurviveTheRoundTrip) {
    ASSERT_EQ(RunCli({"rtn", ExamplePath("token_classes.cfg"), "-o", Path("t.RTN")}).ExitCode, 0);
    const CliResult back = RunCli({"cfg", Path("t.RTN")});
    EXPECT_EQ(back.ExitCode, 0) << back.Err;
    EXPECT_NE(back.Out.find("STATEMENT = \"print\" <@Number,@Ident>\n"), std::string::npos);
    EXPECT_NE(back.Out.find("PROGRAM = STATEMENT [NEXT]\n"), std::string::npos);

    ASSERT_EQ(
        RunCli({"rtn", TestDataPath("grammar/umlauts_cp1252.cfg"), "-o", Path("u.rtn")}).ExitCode,
        0);
    const CliResult umlauts = RunCli({"cfg", Path("u.rtn")});
    EXPECT_NE(umlauts.Out.find("NOMEN = \"M\xC3\xBCller\"\n"), std::string::npos);
}

TEST_F(RtnCli, MetafilesWholeAndSplit) {
    const CliResult whole =
        RunCli({"rtn", ExamplePath("optional_repeated.cfg"), "-o", Path("net.wmf")});
    ASSERT_EQ(whole.ExitCode, 0) << whole.Err;
    ExpectReadableWmf(Path("net.wmf"));

    const CliResult split = RunCli({"rtn", ExamplePath("optional_repeated.cfg"), "-o",
                                    Path("RTN.WMF"), "--split", "--node-dist", "4"});
    ASSERT_EQ(split.ExitCode, 0) << split.Err;
    for (const char* name : {"RTN_0.WMF", "RTN_1.WMF", "RTN_2.WMF"})
        ExpectReadableWmf(Path(name));
    EXPECT_FALSE(fs::exists(Path("RTN.WMF")));

    // Two nets: only two parts hold nets.
    const std::string two = Write("two.cfg", "S = A\nA = \"a\"\n");
    ASSERT_EQ(RunCli({"rtn", two, "-o", Path("two.wmf"), "--split"}).ExitCode, 0);
    ExpectReadableWmf(Path("two_0.wmf"));
    ExpectReadableWmf(Path("two_1.wmf"));
    EXPECT_FALSE(fs::exists(Path("two_2.wmf")));
}

TEST_F(RtnCli, OtherPictureFormats) {
    const CliResult svg = RunCli({"rtn", ExamplePath("quickstart.cfg"), "-o", Path("q.svg")});
    if (svg.ExitCode == 2 && svg.Err.find("only .rtn and .wmf") != std::string::npos)
        GTEST_SKIP() << "built without Qt";
    ASSERT_EQ(svg.ExitCode, 0) << svg.Err;
    EXPECT_NE(Slurp(Path("q.svg")).find("<svg"), std::string::npos);
    ASSERT_EQ(RunCli({"rtn", ExamplePath("quickstart.cfg"), "-o", Path("q.png")}).ExitCode, 0);
    EXPECT_EQ(Slurp(Path("q.png")).substr(1, 3), "PNG");
    ASSERT_EQ(RunCli({"rtn", ExamplePath("quickstart.cfg"), "-o", Path("q.pdf")}).ExitCode, 0);
    EXPECT_EQ(Slurp(Path("q.pdf")).substr(0, 4), "%PDF");
}

TEST_F(RtnCli, ARefusedGrammarWritesNoFileAndAnUndeclaredSymbolIsNoRefusal) {
    // The messages are among the golden command lines.
    EXPECT_EQ(RunCli({"rtn", TestDataPath("rtn/too_many_alternatives.cfg"), "-o", Path("m.rtn")})
                  .ExitCode,
              2);
    EXPECT_FALSE(fs::exists(Path("m.rtn")));
    // Reading alone is enough: an undeclared symbol is still converted.
    const std::string undeclared = Write("u.cfg", "S = NOWHERE\n");
    EXPECT_EQ(RunCli({"rtn", undeclared, "-o", Path("u.rtn")}).ExitCode, 0);
}

} // namespace
