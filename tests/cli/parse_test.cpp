// gramarbor-cli parse: results, trace lists and trees of the examples, messages and
// exit codes.
#include <gtest/gtest.h>

#include "run_cli.h"

namespace {

const std::string QuickStartTree =
    "[S [NP [DET [the]] [N [dog]]] [VP [V [chases]] [NP [DET [the]] [N [cat]]]]]";

CliResult Parse(std::vector<std::string> options, const std::string& grammar,
                const std::vector<std::string>& words) {
    std::vector<std::string> args{"parse"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(grammar);
    args.insert(args.end(), words.begin(), words.end());
    return RunCli(args);
}

const std::vector<std::string> DogChasesCat{"the", "dog", "chases", "the", "cat"};

TEST(ParseCommand, DefaultOptionsPrintTheTreeOfTheQuickStartSentence) {
    const CliResult result = Parse({}, ExamplePath("quickstart.cfg"), DogChasesCat);
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, "Parsing successful!\n\n" + QuickStartTree + "\n");
    EXPECT_EQ(result.Err, "");
}

TEST(ParseCommand, TraceListsFollowTheOptionsInCommandLineOrder) {
    const std::string optimal = "Parsing successful!\n\n"
                                "0\t-\t S\n1\t0\t NP VP\n2\t1\t DET N VP\n3\t3\t the N VP\n"
                                "4\t5\t the dog VP\n5\t2\t the dog V NP\n6\t6\t the dog chases NP\n"
                                "7\t1\t the dog chases DET N\n8\t3\t the dog chases the N\n"
                                "9\t4\t the dog chases the cat\n";
    for (const auto& options :
         {std::vector<std::string>{"--options", "0x3A"}, std::vector<std::string>{"--options=58"},
          std::vector<std::string>{"--bottom-up", "--trace=detailed", "--no-trees", "--options",
                                   "0", "--top-down", "--trace=optimal"}}) {
        const CliResult result = Parse(options, ExamplePath("quickstart.cfg"), DogChasesCat);
        EXPECT_EQ(result.ExitCode, 0) << options[0];
        EXPECT_EQ(result.Out, optimal) << options[0];
    }
    const CliResult both = Parse({"--trace=optimal", "--breadth-first", "--bottom-up", "--trees"},
                                 ExamplePath("quickstart.cfg"), DogChasesCat);
    EXPECT_EQ(both.Out, "Parsing successful!\n\n0\t*\t DET N V DET N\n1\t-\t NP V NP\n"
                        "2\t-\t NP VP\n3\t-\t S\n\n" +
                            QuickStartTree + "\n");
}

TEST(ParseCommand, AmbiguousSentencePrintsOneTreePerLine) {
    const CliResult result = Parse({}, ExamplePath("ambiguous_pp.cfg"),
                                   {"I", "saw", "the", "man", "with", "the", "telescope"});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    const std::string head = "Parsing successful!\n\n[START [S [NP [PRON [I]]] [VP ";
    EXPECT_EQ(result.Out.substr(0, head.size()), head);
    std::size_t trees = 0;
    for (std::size_t at = result.Out.find("[START"); at != std::string::npos;
         at = result.Out.find("[START", at + 1))
        ++trees;
    EXPECT_EQ(trees, 2u);
}

TEST(ParseCommand, RejectionsExitWithOneAndShowTheParseMessages) {
    const CliResult plain =
        Parse({"--trace=detailed"}, ExamplePath("quickstart.cfg"), {"the", "cat", "the", "dog"});
    EXPECT_EQ(plain.ExitCode, 1);
    EXPECT_EQ(plain.Out, "Parsing failed!\n");
    EXPECT_EQ(plain.Err, "");

    const CliResult category =
        Parse({"--bottom-up", "--trace=optimal"}, ExamplePath("token_classes.cfg"), {"print", "x"});
    EXPECT_EQ(category.ExitCode, 0) << "the trees decide";
    // "print" stands in two-word lexical rules only, so it has no category.
    EXPECT_EQ(category.Err, "error: The token \"PRINT\" couldn`t be assigned a category.\n");
}

TEST(ParseCommand, ARefusedParseGivesItsMessageAndNoVerdict) {
    const CliResult tokens = Parse({}, ExamplePath("quickstart.cfg"), {"the", "dog", "?"});
    EXPECT_EQ(tokens.ExitCode, 2);
    EXPECT_EQ(tokens.Out, "");
    EXPECT_EQ(tokens.Err, "error: Internal error: couldn`t create complete list of tokens! "
                          "Reading stopped at the character \"?\" at position 9 of the "
                          "sentence.\n");

    const CliResult cycle = Parse({"--count"}, TestDataPath("parsing/cycle.cfg"), {"x"});
    EXPECT_EQ(cycle.ExitCode, 2);
    EXPECT_EQ(cycle.Out, "");
    EXPECT_EQ(cycle.Err,
              "error: The unit rules A = B and B = A form a cycle, so parsing would never end.\n");
}

TEST(ParseCommand, CaseSensitivityAndUmlautsInTheSentence) {
    const std::string grammar = TestDataPath("parsing/umlauts.cfg");
    const CliResult folded = Parse({}, grammar, {"M\xC3\x9CLLER", "L\xC3\xA4uft"});
    EXPECT_EQ(folded.ExitCode, 0) << folded.Err;
    EXPECT_EQ(folded.Out, "Parsing successful!\n\n[S [M\xC3\xBCller] [l\xC3\xA4uft]]\n");
    EXPECT_EQ(Parse({"--case-sensitive"}, grammar, {"M\xC3\x9CLLER", "l\xC3\xA4uft"}).ExitCode, 1);
    EXPECT_EQ(Parse({"--case-sensitive"}, grammar, {"M\xC3\xBCller", "l\xC3\xA4uft"}).ExitCode, 0);
}

TEST(ParseCommand, ErrorsExitWithTwo) {
    const std::string undeclared = TestDataPath("parsing/undeclared.cfg");
    const CliResult grammar = Parse({}, undeclared, {"x"});
    EXPECT_EQ(grammar.ExitCode, 2);
    EXPECT_EQ(grammar.Err, undeclared + ":2: error: Symbol \"VP\" is not declared.\n");
    EXPECT_EQ(grammar.Out, "");

    EXPECT_EQ(Parse({}, TestDataPath("parsing/no-such-file.cfg"), {"x"}).ExitCode, 2);
    const CliResult noText = Parse({}, ExamplePath("quickstart.cfg"), {});
    EXPECT_EQ(noText.ExitCode, 2);
    EXPECT_EQ(noText.Err, "error: You have not entered a text to parse.\n");
    for (const auto& bad :
         {std::vector<std::string>{"--options", "256"}, std::vector<std::string>{"--options", "x"},
          std::vector<std::string>{"--trace=full"}, std::vector<std::string>{"--options"}}) {
        const CliResult result = Parse(bad, ExamplePath("quickstart.cfg"), DogChasesCat);
        EXPECT_EQ(result.ExitCode, 2) << bad[0];
        EXPECT_EQ(result.Out, "") << bad[0];
    }
}

TEST(ParseCommand, DoubleDashEndsTheOptions) {
    // "--trees" is a sentence word here, which the scanner cannot read.
    const CliResult result =
        Parse({"--no-trees", "--"}, ExamplePath("quickstart.cfg"), {"--trees"});
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_EQ(result.Err, "error: Internal error: couldn`t create complete list of tokens! "
                          "Reading stopped at the character \"-\" at position 1 of the "
                          "sentence.\n");
}

std::vector<std::string> AttachedPhrases(int count) {
    std::vector<std::string> words{"I", "saw", "the", "man"};
    for (int i = 0; i < count; ++i)
        for (const char* word : {"with", "the", "telescope"})
            words.push_back(word);
    return words;
}

TEST(ParseCommand, CountsTreesExactlyAndLimitsThePrintedOnes) {
    // Each phrase attaches to the verb phrase or to a noun phrase, at most once each.
    const CliResult counted = Parse({"--trace=none", "--no-trees", "--count"},
                                    ExamplePath("ambiguous_pp.cfg"), AttachedPhrases(3));
    EXPECT_EQ(counted.ExitCode, 0) << counted.Err;
    EXPECT_EQ(counted.Out, "Parsing successful!\n\n4\n");

    const CliResult limited = Parse({"--trace=none", "--max-trees", "2", "--count"},
                                    ExamplePath("ambiguous_pp.cfg"), AttachedPhrases(3));
    EXPECT_EQ(limited.ExitCode, 0) << limited.Err;
    // The verdict, two trees, then the count.
    std::size_t lines = 0;
    for (const char c : limited.Out)
        lines += c == '\n';
    EXPECT_EQ(lines, 6u) << limited.Out;
    EXPECT_NE(limited.Out.find("\n\n4\n"), std::string::npos);

    const CliResult rejected = Parse({"--count"}, ExamplePath("ambiguous_pp.cfg"), {"saw", "I"});
    EXPECT_EQ(rejected.ExitCode, 1);
    EXPECT_EQ(rejected.Out, "Parsing failed!\n\n0\n");

    EXPECT_EQ(Parse({"--max-trees", "0"}, ExamplePath("ambiguous_pp.cfg"), {"I"}).ExitCode, 2);
}

} // namespace
