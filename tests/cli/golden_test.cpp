// gramarbor-cli: the complete output (status, stdout, stderr) of a table of command
// lines of every command stays byte for byte as recorded in tests/data/cli_golden.
// With GRAMARBOR_UPDATE_GOLDEN=1 in the environment the files are written anew.
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "run_cli.h"

namespace {

struct GoldenCase {
    std::string Name;
    std::vector<std::string> Args;
};

// Replaces every occurrence of from in text by to.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
        text.replace(at, from.size(), to), at += to.size();
    return text;
}

std::vector<GoldenCase> ReadCases() {
    std::vector<GoldenCase> cases;
    std::istringstream lines(Slurp(TestDataPath("cli_golden/cases.txt")));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t colon = line.find(": ");
        if (line.empty() || line[0] == '#' || colon == std::string::npos) continue;
        GoldenCase c{line.substr(0, colon), {}};
        std::istringstream words(line.substr(colon + 2));
        for (std::string word; words >> word;) {
            // 'a b' is one argument with its blanks; '' is an empty one.
            for (std::string more;
                 word[0] == '\'' && (word.size() == 1 || word.back() != '\'') && words >> more;)
                word += " " + more;
            if (word[0] == '\'' && word.size() > 1 && word.back() == '\'')
                word = word.substr(1, word.size() - 2);
            word = ReplaceAll(word, "$EX", GRAMARBOR_EXAMPLES);
            c.Args.push_back(ReplaceAll(word, "$DATA", GRAMARBOR_TEST_DATA));
        }
        cases.push_back(std::move(c));
    }
    return cases;
}

// The recorded form: exit status, then stdout and stderr, folders as placeholders.
std::string Record(const CliResult& result) {
    const auto hide = [](const std::string& text) {
        return ReplaceAll(ReplaceAll(text, GRAMARBOR_EXAMPLES, "$EX"), GRAMARBOR_TEST_DATA,
                          "$DATA");
    };
    return "exit " + std::to_string(result.ExitCode) + "\n--- stdout\n" + hide(result.Out) +
           "--- stderr\n" + hide(result.Err);
}

class CliGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(CliGolden, OutputIsByteIdentical) {
    const GoldenCase& c = GetParam();
    const std::string actual = Record(RunCli(c.Args));
    const std::string path = TestDataPath("cli_golden/" + c.Name + ".out");
    const char* update = std::getenv("GRAMARBOR_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") std::ofstream(path, std::ios::binary) << actual;
    const std::string expected = Slurp(path);
    ASSERT_FALSE(expected.empty()) << "no recorded output in " << path;
    EXPECT_EQ(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(Recorded, CliGolden, ::testing::ValuesIn(ReadCases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             return info.param.Name;
                         });

} // namespace
