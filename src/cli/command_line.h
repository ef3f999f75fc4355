// The whole tool behind main(): picks the command, runs it and maps failures of the
// output to the exit status.
#pragma once

#include <string>
#include <vector>

namespace gramarbor::cli {

// Runs the command line without the program name and returns the exit status;
// everything written to standard output has been handed to the system then.
int RunCommandLine(const std::vector<std::string>& args);

} // namespace gramarbor::cli
