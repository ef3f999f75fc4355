// gramarbor-cli check: listings of the examples, FILE:LINE messages of broken
// grammars, exit codes.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "run_cli.h"

namespace {

namespace fs = std::filesystem;

class CheckExample : public ::testing::TestWithParam<std::string> {};

TEST_P(CheckExample, PrintsTheGoldenListing) {
    const CliResult result = RunCli({"check", ExamplePath(GetParam() + ".cfg")});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(result.Out, Slurp(TestDataPath("grammar/" + GetParam() + ".lst")));
}

INSTANTIATE_TEST_SUITE_P(Examples, CheckExample,
                         ::testing::Values("quickstart", "optional_repeated", "ambiguous_pp",
                                           "token_classes"));

TEST(CheckCommand, ListsWindows1252GrammarAsUtf8) {
    const CliResult result = RunCli({"check", TestDataPath("grammar/umlauts_cp1252.cfg")});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, Slurp(TestDataPath("grammar/umlauts_cp1252.lst")));
    EXPECT_NE(result.Out.find("\"M\xC3\xBCller\""), std::string::npos);
}

TEST(CheckCommand, BrokenGrammarsReportFileLineAndMessage) {
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(TestDataPath("grammar/broken"))) {
        if (entry.path().extension() != ".cfg") continue;
        const std::string path = entry.path().string();
        fs::path expectedPath = entry.path();
        expectedPath.replace_extension(".err");
        std::string expected = Slurp(expectedPath.string());
        ASSERT_FALSE(expected.empty()) << expectedPath;
        expected.replace(0, 4, path);

        const CliResult result = RunCli({"check", path});
        EXPECT_EQ(result.ExitCode, 2) << path;
        EXPECT_EQ(result.Err, expected) << path;
        EXPECT_EQ(result.Out, "") << path;
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

TEST(CheckCommand, UnreadableFilesExitWithTwo) {
    const CliResult missing = RunCli({"check", TestDataPath("grammar/no-such-file.cfg")});
    EXPECT_EQ(missing.ExitCode, 2);
    EXPECT_NE(missing.Err.find("no-such-file.cfg: error: "), std::string::npos);

    const std::string bad = TestDataPath("grammar/unrepresentable.cfg");
    const CliResult unrepresentable = RunCli({"check", bad});
    EXPECT_EQ(unrepresentable.ExitCode, 2);
    EXPECT_EQ(unrepresentable.Err,
              bad + ": error: Line 2 of the file holds a character that Windows-1252 cannot "
                    "represent.\n");
}

TEST(CheckCommand, BadArgumentsExitWithTwoAndHelpWithZero) {
    EXPECT_EQ(RunCli({"check"}).ExitCode, 2);
    EXPECT_EQ(RunCli({"check", "a.cfg", "b.cfg"}).ExitCode, 2);
    EXPECT_EQ(RunCli({"check", "--strict"}).ExitCode, 2);
    const CliResult help = RunCli({"check", "--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Out.find("Usage: gramarbor-cli check GRAMMAR.CFG"), std::string::npos);
}

} // namespace
