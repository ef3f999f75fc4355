// gramarbor-cli: checks and parses grammars, converts networks and trees in batch.
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"

int main(int argc, char** argv) {
    // Standard output has its own buffer; the C++ streams serve only stderr.
    std::ios::sync_with_stdio(false);
    return gramarbor::cli::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc));
}
