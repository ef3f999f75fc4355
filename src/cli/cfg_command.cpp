// gramarbor-cli cfg: prints the grammar text that "Make CFG" makes of a network file.
#include <new>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "rtn/rtn_file.h"
#include "rtn/rtn_to_cfg.h"

namespace gramarbor::cli {
namespace {

void PrintCfgHelp() {
    Print("Usage: gramarbor-cli cfg NETWORK.RTN\n\n"
          "Reads a recursive transition network file and prints the grammar that\n"
          "\"Make CFG\" writes for it in the external CFG notation: for each net its\n"
          "main rule, preceded by one rule for every arc that skips nodes.\n\n"
          "Messages go to stderr as FILE: error: MESSAGE. A network that cannot be\n"
          "written as a grammar counts as input that could not be used.\n\n");
    Print(ExitStatusHelp);
}

int RunCfg(const std::vector<std::string>& args) {
    if (args.size() == 1 && IsHelpFlag(args[0])) {
        PrintCfgHelp();
        return ExitOk;
    }
    if (args.size() != 1) return UsageError("cfg", "expects exactly one network file");
    const std::string& path = args[0];
    if (path.size() > 1 && path[0] == '-') return UsageError("cfg", "unknown option " + path);

    // Read and converted without the workspace, which would draw the whole network.
    RecordingSink sink;
    TRtn rtn;
    TRtnFileOptions options;
    std::vector<std::string> lines;
    try {
        if (!LoadRtnFile(path, rtn, options, sink)) {
            PrintFileMessages(path, 0, sink);
            return ExitError;
        }
    } catch (const std::bad_alloc&) {
        sink.Error(MsgRtnLoadLowMemory);
        PrintFileMessages(path, 0, sink);
        return ExitError;
    }
    if (!MakeCfgLines(rtn, lines, sink)) {
        PrintFileMessages(path, 0, sink);
        return ExitError;
    }
    for (const std::string& line : lines)
        PrintLine(line);
    return ExitOk;
}

const CommandRegistration Registration({"cfg", "print the grammar that a network file stands for",
                                        RunCfg});

} // namespace
} // namespace gramarbor::cli
