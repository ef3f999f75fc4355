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
        {WriteTempFile("integer.cfg", "S = X\nX = @Integer\n"), {"42"}, "1"},
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

TEST(ParseCount, ABlockWithoutLinesIsLeftOut) {
    // The bottom-up trace stops at the number, but the tree step accepts.
    const std::string integer = WriteTempFile("integer.cfg", "S = X\nX = @Integer\n");
    const CliResult result = RunCliHere({"parse", "--options", "0x51", integer, "42"});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Out, "Parsing successful!\n\n[S [X [@Integer]]]\n");
}

} // namespace

namespace {

// "I saw the man with the telescope in the park": five trees.
std::vector<std::string> FiveTrees(std::vector<std::string> options) {
    std::vector<std::string> args{"parse"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(WriteTempFile("attach.cfg", "S = NP VP\nNP = DET N\nNP = NP PP\nNP = \"I\"\n"
                                               "VP = V NP\nVP = VP PP\nPP = P NP\nDET = \"the\"\n"
                                               "N = \"man\"\nN = \"telescope\"\nN = \"park\"\n"
                                               "V = \"saw\"\nP = \"with\"\nP = \"in\"\n"));
    for (const char* word :
         {"I", "saw", "the", "man", "with", "the", "telescope", "in", "the", "park"})
        args.push_back(word);
    return args;
}

TEST(ParseTreeNumbers, PrintTheTreesOfARangeAsTheWholeListHasThem) {
    const CliResult all = RunCliHere(FiveTrees({"--trees"}));
    ASSERT_EQ(all.ExitCode, 0);
    std::vector<std::string> trees;
    for (std::size_t at = all.Out.find("\n\n") + 2; at < all.Out.size();) {
        const std::size_t end = all.Out.find('\n', at);
        trees.push_back(all.Out.substr(at, end - at + 1));
        at = end + 1;
    }
    ASSERT_EQ(trees.size(), 5u);
    const std::string verdict = "Parsing successful!\n\n";
    EXPECT_EQ(RunCliHere(FiveTrees({"--tree", "4"})).Out, verdict + trees[3]);
    EXPECT_EQ(RunCliHere(FiveTrees({"--no-trees", "--tree=2..3"})).Out,
              verdict + trees[1] + trees[2]);
    EXPECT_EQ(RunCliHere(FiveTrees({"--tree", "5..900000000000000000000"})).Out,
              verdict + trees[4]);

    const CliResult past = RunCliHere(FiveTrees({"--tree", "6"}));
    EXPECT_EQ(past.ExitCode, 2);
    EXPECT_EQ(past.Out, "");
    EXPECT_EQ(past.Err, "error: There is no parse tree 6: the sentence has 5 parse trees.\n");
    for (const char* bad : {"0", "3..2", "x", "1..", "-1"})
        EXPECT_EQ(RunCliHere(FiveTrees({"--tree", bad})).ExitCode, 2) << bad;
}

TEST(ParseTreeNumbers, AmbiguitiesComeAfterTheTreesAndBeforeTheCount) {
    const CliResult result = RunCliHere(FiveTrees({"--no-trees", "--ambiguities", "--count"}));
    EXPECT_EQ(result.ExitCode, 0);
    const std::string first = "Parsing successful!\n\n\"saw the man with the telescope in the "
                              "park\" (words 2 to 10): VP, 5 readings in 3 analyses\n";
    EXPECT_EQ(result.Out.substr(0, first.size()), first);
    EXPECT_NE(result.Out.find("    VP = V NP: \"saw\" + \"the man with the telescope in the "
                              "park\", 2 readings\n"),
              std::string::npos);
    EXPECT_EQ(result.Out.substr(result.Out.size() - 3), "\n5\n");
}

} // namespace
