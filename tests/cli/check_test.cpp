// gramarbor-cli check: the FILE:LINE message of every broken grammar (the listings
// and the other refusals are among the golden command lines).
#include <filesystem>
#include <gtest/gtest.h>

#include "run_cli.h"

namespace {

namespace fs = std::filesystem;

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

} // namespace
