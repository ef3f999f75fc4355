// Picks the command named on the command line, runs it and maps failures to exit codes.
#include "cli/command_line.h"

#include <new>

#include "cli/cli_support.h"
#include "cli/text_output.h"
#include "core_version.h"

namespace gramarbor::cli {

namespace {

void PrintToolHelp() {
    Print("Usage: gramarbor-cli COMMAND [ARGS...]\n\n"
          "Checks and parses context-free grammars, converts them to recursive\n"
          "transition networks and draws tree diagrams, without the desktop program.\n\n"
          "Commands:\n");
    for (const auto& command : Commands()) {
        const std::string name = command.Name;
        Print("  " + name + std::string(name.size() < 10 ? 10 - name.size() : 1, ' ') +
              command.Summary + "\n");
    }
    Print("\nRun 'gramarbor-cli COMMAND --help' for the options of a command.\n"
          "Files and terminal text are UTF-8; grammar files may also be Windows-1252.\n\n");
    Print(ExitStatusHelp);
}

int RunCommand(const std::vector<std::string>& args) {
    if (args.empty()) {
        PrintToolHelp();
        return ExitError;
    }
    if (IsHelpFlag(args[0])) {
        PrintToolHelp();
        return ExitOk;
    }
    if (args[0] == "--version") {
        Print(TitleText() + "\n");
        return ExitOk;
    }
    for (const auto& command : Commands()) {
        if (args[0] == command.Name) {
            try {
                return command.Run(std::vector<std::string>(args.begin() + 1, args.end()));
            } catch (const std::bad_alloc&) {
                PrintError("error: not enough memory");
                return ExitError;
            }
        }
    }
    PrintError("gramarbor-cli: unknown command '" + args[0] + "'");
    PrintError("Try 'gramarbor-cli --help'.");
    return ExitError;
}

} // namespace

int RunCommandLine(const std::vector<std::string>& args) {
    const int status = RunCommand(args);
    if (!StdOut().Flush()) {
        PrintError("error: cannot write to standard output: " + StdOut().ErrorText());
        return ExitError;
    }
    return status;
}

} // namespace gramarbor::cli
