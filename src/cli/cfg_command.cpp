// gramarbor-cli cfg: prints the grammar text that "Make CFG" makes of a network file.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "rtn/rtn_workspace.h"
#include "text/cp1252.h"

namespace gramarbor::cli {
namespace {

void PrintCfgHelp() {
    std::cout << "Usage: gramarbor-cli cfg NETWORK.RTN\n\n"
                 "Reads a recursive transition network file and prints the grammar that\n"
                 "\"Make CFG\" writes for it in the external CFG notation: for each net its\n"
                 "main rule, preceded by one rule for every arc that skips nodes.\n\n"
                 "Messages go to stderr as FILE: error: MESSAGE.\n"
                 "Exit status: 0 printed, 1 the network cannot be written as a grammar,\n"
                 "2 unreadable or damaged file or bad arguments.\n";
}

void PrintMessages(const std::string& path, const RecordingSink& sink) {
    for (const std::string& message : sink.Texts())
        std::cerr << path << ": error: " << Cp1252ToUtf8(message) << '\n';
}

int RunCfg(const std::vector<std::string>& args) {
    if (args.size() == 1 && IsHelpFlag(args[0])) {
        PrintCfgHelp();
        return ExitOk;
    }
    if (args.size() != 1) return UsageError("cfg", "expects exactly one network file");
    const std::string& path = args[0];
    if (path.size() > 1 && path[0] == '-') return UsageError("cfg", "unknown option " + path);

    RecordingSink sink;
    ApproxTextMeasurer measurer;
    TRtnWorkspace workspace(sink, measurer);
    if (!workspace.LoadRTNButtonClick(path)) {
        PrintMessages(path, sink);
        return ExitError;
    }
    std::vector<std::string> lines;
    if (!workspace.MakeCFGClick(lines)) {
        PrintMessages(path, sink);
        return ExitRejected;
    }
    for (const std::string& line : lines)
        PrintLine(line);
    return ExitOk;
}

const CommandRegistration Registration({"cfg", "print the grammar that a network file stands for",
                                        RunCfg});

} // namespace
} // namespace gramarbor::cli
