// gramarbor-cli: checks and parses grammars, converts networks and trees in batch.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "core_version.h"

using namespace gramarbor;

namespace {

void PrintToolHelp() {
    std::cout << "Usage: gramarbor-cli COMMAND [ARGS...]\n\n"
                 "Checks and parses context-free grammars, converts them to recursive\n"
                 "transition networks and draws tree diagrams, without the desktop program.\n\n"
                 "Commands:\n";
    for (const auto& command : cli::Commands()) {
        const std::string name = command.Name;
        std::cout << "  " << name << std::string(name.size() < 10 ? 10 - name.size() : 1, ' ')
                  << command.Summary << '\n';
    }
    std::cout << "\nRun 'gramarbor-cli COMMAND --help' for the options of a command.\n"
                 "Files and terminal text are UTF-8; grammar files may also be Windows-1252.\n";
}

} // namespace

int main(int argc, char** argv) {
    // Trees can run to millions of lines: keep the standard streams unsynchronised.
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintToolHelp();
        return cli::ExitError;
    }
    if (cli::IsHelpFlag(args[0])) {
        PrintToolHelp();
        return cli::ExitOk;
    }
    if (args[0] == "--version") {
        std::cout << TitleText() << '\n';
        return cli::ExitOk;
    }
    for (const auto& command : cli::Commands()) {
        if (args[0] == command.Name) {
            try {
                return command.Run(std::vector<std::string>(args.begin() + 1, args.end()));
            } catch (const std::bad_alloc&) {
                std::cerr << "error: not enough memory\n";
                return cli::ExitError;
            }
        }
    }
    std::cerr << "gramarbor-cli: unknown command '" << args[0] << "'\n"
              << "Try 'gramarbor-cli --help'.\n";
    return cli::ExitError;
}
