// gramarbor-cli convert with -o: files that convert back to a grammar with the same
// trees, and a refused save (what it prints is among the golden command lines).
#include <gtest/gtest.h>

#include "run_cli.h"

namespace {

TEST(ConvertCommand, WritesFilesThatConvertBackToTheSameGrammar) {
    const std::string nltk = TempPath("optional.nltk"), cfg = TempPath("optional.cfg");
    const CliResult written =
        RunCli({"convert", "--to", "nltk", ExamplePath("optional_repeated.cfg"), "-o", nltk});
    ASSERT_EQ(written.ExitCode, 0) << written.Err;
    EXPECT_EQ(written.Out, "");
    EXPECT_EQ(Slurp(nltk).substr(0, 11), "S -> NP VP\n");
    EXPECT_EQ(Slurp(nltk).find('\r'), std::string::npos);
    const CliResult back = RunCli({"convert", "--to", "gramarbor", nltk, "-o", cfg});
    ASSERT_EQ(back.ExitCode, 0) << back.Err;
    EXPECT_EQ(back.Err, "");
    EXPECT_EQ(Slurp(cfg).substr(0, 12), "S = NP VP\r\nN");
    // The file converted back parses as the original does, with as many trees.
    for (const std::string& grammar : {ExamplePath("optional_repeated.cfg"), cfg})
        EXPECT_EQ(RunCli({"parse", "--no-trees", "--trace=none", "--count", grammar, "the", "big",
                          "old", "dog", "often", "sees", "a", "cat", "in", "the", "garden"})
                      .Out,
                  "Parsing successful!\n\n1\n");
    const CliResult refused =
        RunCli({"convert", "--to", "nltk", ExamplePath("quickstart.cfg"), "-o", "/nonexistent/x"});
    EXPECT_EQ(refused.ExitCode, 2);
    EXPECT_EQ(refused.Err, "/nonexistent/x: error: The file could not be saved; an existing file "
                           "of that name was left unchanged.\n");
}

} // namespace
