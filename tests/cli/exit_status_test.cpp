// One exit-status contract for every command: 0 success, 1 the input was understood
// and rejected, 2 the input could not be used; each --help states it.
#include <gtest/gtest.h>

#include "run_cli.h"

namespace {

std::string Temp(const std::string& name, const std::string& text = "") {
    return text.empty() ? TempPath(name) : WriteTempFile(name, text);
}

struct StatusCase {
    std::vector<std::string> Args;
    int Status;
    // A refusal prints nothing on stdout: no verdict, no half-written result.
    bool Silent;
};

TEST(ExitStatus, EveryCommandFollowsTheOneContract) {
    const std::string quick = ExamplePath("quickstart.cfg");
    const std::string broken = TestDataPath("grammar/broken/comments_only.cfg");
    const std::string empty = TestDataPath("grammar/broken/empty.cfg");
    const std::string missing = Temp("missing.cfg");
    const std::string cycle = TestDataPath("parsing/cycle.cfg");
    const std::string tooMany = Temp("many.cfg", "S = A (B,C,D,E,F)\n");
    const std::string unreadable = Temp("bad.cfg", "S = A\nA B\n");
    const std::vector<StatusCase> cases = {
        {{"check", quick}, 0, false},
        {{"check", broken}, 2, true},
        {{"check", empty}, 2, true},
        {{"check", missing}, 2, true},
        {{"check", "--strict"}, 2, true},

        {{"parse", quick, "the", "dog", "chases", "the", "cat"}, 0, false},
        {{"parse", quick, "the", "cat", "the", "dog"}, 1, false},
        {{"parse", "--count", "--no-trees", quick, "the", "cat", "the", "dog"}, 1, false},
        {{"parse", cycle, "x"}, 2, true},
        {{"parse", quick, "the", "dog", "!"}, 2, true},
        {{"parse", broken, "x"}, 2, true},
        {{"parse", missing, "x"}, 2, true},
        {{"parse", quick}, 2, true},
        {{"parse", "--options", "256", quick, "x"}, 2, true},

        {{"tree", "[S [NP] [VP]]"}, 0, false},
        {{"tree", "[S [NP"}, 2, true},
        {{"tree", "--brackets", "()", "--parent-outside", ")", "-o", Temp("none.tre")}, 2, true},
        {{"tree", "--wobble", "[S]"}, 2, true},

        {{"rtn", quick, "-o", Temp("q.rtn")}, 0, false},
        {{"rtn", unreadable, "-o", Temp("b.rtn")}, 2, true},
        {{"rtn", tooMany, "-o", Temp("m.rtn")}, 2, true},
        {{"rtn", missing, "-o", Temp("x.rtn")}, 2, true},
        {{"rtn", quick}, 2, true},

        {{"cfg", TestDataPath("rtn/np_repeated.rtn")}, 0, false},
        {{"cfg", TestDataPath("rtn/new_rtn.rtn")}, 2, true},
        {{"cfg", TestDataPath("rtn/broken/kind_zero.rtn")}, 2, true},
        {{"cfg", quick}, 2, true},

        {{}, 2, false}, // the tool's help, on the wrong occasion
        {{"prase"}, 2, true},
        {{"--version"}, 0, false},
    };
    for (const StatusCase& c : cases) {
        std::string line;
        for (const std::string& arg : c.Args)
            line += arg + " ";
        const CliResult result = RunCli(c.Args);
        EXPECT_EQ(result.ExitCode, c.Status) << line << "\n" << result.Err;
        if (c.Silent) {
            EXPECT_EQ(result.Out, "") << line;
        }
        if (c.Status == 2 && !c.Args.empty()) {
            EXPECT_NE(result.Err, "") << line << "says why";
        }
    }
}

TEST(ExitStatus, EveryHelpStatesTheContract) {
    const std::string contract = "Exit status: 0 success; 1 the input was understood and "
                                 "rejected (the sentence\nis not in the language); 2 the input "
                                 "could not be used";
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"},
                                                 {"check", "--help"},
                                                 {"parse", "--help"},
                                                 {"tree", "--help"},
                                                 {"rtn", "--help"},
                                                 {"cfg", "--help"}}) {
        const CliResult help = RunCli(args);
        EXPECT_EQ(help.ExitCode, 0) << args[0];
        EXPECT_NE(help.Out.find(contract), std::string::npos) << args[0] << ":\n" << help.Out;
    }
    // The README states the same contract.
    const std::string readme = Slurp(std::string(GRAMARBOR_EXAMPLES) + "/../README.md");
    EXPECT_NE(readme.find("Exit status: 0 success; 1 the input was understood and rejected"),
              std::string::npos);
}

} // namespace
