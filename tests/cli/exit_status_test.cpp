// One exit-status contract for every command: 0 success, 1 the input was understood
// and rejected, 2 the input could not be used. The golden command lines hold the
// status of every case; here each --help and the README state the contract.
#include <gtest/gtest.h>

#include "run_cli.h"

namespace {

TEST(ExitStatus, EveryHelpAndTheReadmeStateTheContract) {
    const std::string contract = "Exit status: 0 success; 1 the input was understood and "
                                 "rejected (the sentence\nis not in the language); 2 the input "
                                 "could not be used";
    for (const char* command : {"", "check", "parse", "tree", "rtn", "cfg"}) {
        const CliResult help = RunCli(*command ? std::vector<std::string>{command, "--help"}
                                               : std::vector<std::string>{"--help"});
        EXPECT_EQ(help.ExitCode, 0) << command;
        EXPECT_NE(help.Out.find(contract), std::string::npos) << command << ":\n" << help.Out;
    }
    const std::string readme = Slurp(std::string(GRAMARBOR_EXAMPLES) + "/../README.md");
    EXPECT_NE(readme.find("Exit status: 0 success; 1 the input was understood and rejected"),
              std::string::npos);
    // Without a command the help is shown on the wrong occasion.
    EXPECT_EQ(RunCli({}).ExitCode, 2);
}

} // namespace
