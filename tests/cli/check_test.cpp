// gramarbor-cli check: the FILE:LINE message of every broken grammar (the listings
// and the other refusals are among the golden command lines).
#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

#include "run_cli.h"

namespace {

TEST(CheckCommand, BrokenGrammarsReportFileLineAndMessage) {
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TestDataPath("grammar/broken"))) {
        const std::string path = entry.path().string();
        if (entry.path().extension() != ".cfg") continue;
        // The .err file holds the message with FILE for the path.
        std::string expected = Slurp(path.substr(0, path.size() - 4) + ".err");
        ASSERT_FALSE(expected.empty()) << path;
        expected.replace(0, 4, path);
        const CliResult result = RunCli({"check", path});
        EXPECT_EQ(std::tie(result.ExitCode, result.Out, result.Err), std::tuple(2, "", expected))
            << path;
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

} // namespace
