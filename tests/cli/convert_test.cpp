// gramarbor-cli convert: both directions to standard output and to files, warnings
// and errors as FILE:LINE, exit codes and usage errors.
#include <gtest/gtest.h>

#include "run_cli.h"

namespace {

struct ConvertCase {
    const char* Name;
    std::vector<std::string> Args; // "$IN" stands for a file holding Input
    std::string Input;
    int ExitCode;
    std::string Out;
    std::string Err; // "$IN" stands for the file's path
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class ConvertCommand : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertCommand, PrintsTheGrammarAndReportsWhatIsLost) {
    const ConvertCase& c = GetParam();
    const std::string in = WriteTempFile(std::string(c.Name) + ".txt", c.Input);
    std::vector<std::string> args;
    for (const std::string& arg : c.Args)
        args.push_back(arg == "$IN" ? in : Replace(arg, "$EX/", ExamplePath("")));
    const CliResult result = RunCli(args);
    EXPECT_EQ(result.ExitCode, c.ExitCode) << result.Err;
    EXPECT_EQ(result.Out, c.Out);
    EXPECT_EQ(result.Err, Replace(c.Err, "$IN", in));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertCommand,
    ::testing::Values(
        ConvertCase{"ToNltk",
                    {"convert", "--to", "nltk", "$EX/quickstart.cfg"},
                    "",
                    0,
                    "S -> NP VP\nNP -> DET N\nVP -> V NP\nDET -> 'the'\nN -> 'cat' | 'dog'\n"
                    "V -> 'chases'\n",
                    ""},
        ConvertCase{"ToGramarbor",
                    {"convert", "$IN", "--to", "gramarbor"},
                    "S -> NP[NUM=?n] VP | VP\n# words\nNP -> 'Müller'\nVP -> 'läuft' |\n",
                    0,
                    "START = S\nS = NP VP\nS = NP\nS = VP\nNP = \"Müller\"\nVP = \"läuft\"\n",
                    "$IN:1: warning: feature structures are left out, so the grammar accepts "
                    "more than the original.\n"
                    "$IN:1: warning: the start category S can stand for no words; this program "
                    "cannot parse the empty sentence.\n"
                    "$IN:4: warning: the empty alternative of VP cannot be written; the rules "
                    "that use it are written with and without it, and its empty subtrees are "
                    "lost.\n"
                    "$IN:1: warning: the start category S has several rules, so the rule START "
                    "= S is put first and each tree has START as its root.\n"},
        ConvertCase{"NltkSyntaxError",
                    {"convert", "--to", "gramarbor", "$IN"},
                    "S -> NP\nNP 'a'\n",
                    2,
                    "",
                    "$IN:2: error: \"->\" expected after the category name NP.\n"},
        ConvertCase{"GrammarErrorOfThisNotation",
                    {"convert", "--to", "nltk", "$IN"},
                    "// first\nS = NP\n",
                    2,
                    "",
                    "$IN:2: error: Symbol \"NP\" is not declared.\n"},
        ConvertCase{"EmptyGrammar",
                    {"convert", "--to", "nltk", "$IN"},
                    "",
                    2,
                    "",
                    "$IN: error: Please define a CFG first.\n"},
        ConvertCase{"TokenClass",
                    {"convert", "--to", "nltk", "$IN"},
                    "S = X\nX = @Ident\nX = \"x\"\n",
                    0,
                    "S -> X\nX -> 'x'\n",
                    "$IN:2: warning: NLTK's notation has no token class like @Ident; its rule "
                    "is left out.\n"},
        ConvertCase{"UnknownDirection",
                    {"convert", "--to", "prolog", "$IN"},
                    "",
                    2,
                    "",
                    "gramarbor-cli convert: expects --to nltk or --to gramarbor\n"
                    "Try 'gramarbor-cli convert --help'.\n"},
        ConvertCase{"TwoInputs",
                    {"convert", "--to", "nltk", "$IN", "$IN"},
                    "",
                    2,
                    "",
                    "gramarbor-cli convert: expects exactly one grammar file\n"
                    "Try 'gramarbor-cli convert --help'.\n"},
        ConvertCase{"MissingFile",
                    {"convert", "--to", "nltk", "/nonexistent/g.cfg"},
                    "",
                    2,
                    "",
                    "/nonexistent/g.cfg: error: The file could not be read.\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ConvertCommand, WritesFilesThatConvertBackToTheSameGrammar) {
    const std::string nltk = TempPath("optional.nltk");
    const CliResult written =
        RunCli({"convert", "--to", "nltk", ExamplePath("optional_repeated.cfg"), "-o", nltk});
    ASSERT_EQ(written.ExitCode, 0) << written.Err;
    EXPECT_EQ(written.Out, "");
    const std::string text = Slurp(nltk);
    EXPECT_EQ(text.substr(0, text.find('\n')), "S -> NP VP");
    EXPECT_EQ(text.find('\r'), std::string::npos);

    const std::string cfg = TempPath("optional.cfg");
    const CliResult back = RunCli({"convert", "--to", "gramarbor", nltk, "-o", cfg});
    ASSERT_EQ(back.ExitCode, 0) << back.Err;
    EXPECT_EQ(back.Err, "");
    EXPECT_EQ(Slurp(cfg).substr(0, 12), "S = NP VP\r\nN");

    // The file converted back parses as the original does, with as many trees.
    std::vector<std::string> counts;
    for (const std::string& grammar : {ExamplePath("optional_repeated.cfg"), cfg}) {
        const CliResult parsed =
            RunCli({"parse", "--no-trees", "--trace=none", "--count", grammar, "the", "big", "old",
                    "dog", "often", "sees", "a", "cat", "in", "the", "garden"});
        EXPECT_EQ(parsed.ExitCode, 0) << parsed.Err;
        counts.push_back(parsed.Out);
    }
    EXPECT_EQ(counts[0], "Parsing successful!\n\n1\n");
    EXPECT_EQ(counts[1], counts[0]);

    const CliResult refused =
        RunCli({"convert", "--to", "nltk", ExamplePath("quickstart.cfg"), "-o", "/nonexistent/x"});
    EXPECT_EQ(refused.ExitCode, 2);
    EXPECT_EQ(refused.Err,
              "/nonexistent/x: error: The file could not be saved; an existing file of "
              "that name was left unchanged.\n");
}

} // namespace
