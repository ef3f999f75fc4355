// gramarbor-cli parse --count: the count is a pass of its own and changes nothing
// the option byte decides, for every option byte.
#include <gtest/gtest.h>

#include "run_cli.h"

namespace {

TEST(ParseCount, EveryOptionByteKeepsItsVerdictTraceMessagesAndStatus) {
    // The grammar and the sentence, and the count every option byte must print.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{TestDataPath("parsing/integer.cfg"), "42"}, "1"},
        {{WriteTempFile("empty_word.cfg", "S = A\nA = \"\"\n"), "3"}, "0"},
        {{ExamplePath("ambiguous_pp.cfg"), "I", "saw", "the", "man", "with", "the", "telescope"},
         "2"},
        {{ExamplePath("quickstart.cfg"), "the", "cat", "the", "dog"}, "0"},
    };
    for (const auto& [sentence, trees] : cases) {
        for (int byte = 0; byte < 256; ++byte) {
            std::vector<std::string> args{"parse", "--options", std::to_string(byte)};
            args.insert(args.end(), sentence.begin(), sentence.end());
            const CliResult plain = RunCliHere(args);
            args.insert(args.begin() + 1, "--count");
            const CliResult counted = RunCliHere(args);
            const std::string where = sentence[0] + " byte " + std::to_string(byte);
            ASSERT_NE(plain.ExitCode, 2) << where << ": " << plain.Err;
            EXPECT_EQ(counted.ExitCode, plain.ExitCode) << where;
            EXPECT_EQ(counted.Err, plain.Err) << where;
            EXPECT_EQ(counted.Out, plain.Out + "\n" + trees + "\n") << where;
        }
    }
}

} // namespace
