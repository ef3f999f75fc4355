// gramarbor-cli parse --count: the count is a pass of its own and changes nothing
// the option byte decides, for every option byte.
#include <gtest/gtest.h>

#include "run_cli.h"

namespace {

struct CountCase {
    std::string Grammar;
    std::vector<std::string> Words;
    std::string Trees; // the count every option byte must print
};

TEST(ParseCount, EveryOptionByteKeepsItsVerdictTraceMessagesAndStatus) {
    const std::vector<CountCase> cases = {
        {TestDataPath("parsing/integer.cfg"), {"42"}, "1"},
        {WriteTempFile("empty_word.cfg", "S = A\nA = \"\"\n"), {"3"}, "0"},
        {ExamplePath("ambiguous_pp.cfg"),
         {"I", "saw", "the", "man", "with", "the", "telescope"},
         "2"},
        {ExamplePath("quickstart.cfg"), {"the", "cat", "the", "dog"}, "0"},
    };
    for (const CountCase& c : cases) {
        for (int byte = 0; byte < 256; ++byte) {
            std::vector<std::string> args{"parse", "--options", std::to_string(byte), c.Grammar};
            args.insert(args.end(), c.Words.begin(), c.Words.end());
            const CliResult plain = RunCliHere(args);
            args.insert(args.begin() + 1, "--count");
            const CliResult counted = RunCliHere(args);
            const std::string where = c.Grammar + " byte " + std::to_string(byte);
            ASSERT_NE(plain.ExitCode, 2) << where << ": " << plain.Err;
            EXPECT_EQ(counted.ExitCode, plain.ExitCode) << where;
            EXPECT_EQ(counted.Err, plain.Err) << where;
            EXPECT_EQ(counted.Out, plain.Out + "\n" + c.Trees + "\n") << where;
        }
    }
}

} // namespace
