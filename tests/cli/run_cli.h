// Runs the built gramarbor-cli with arguments and captures what it prints.
#pragma once

#include <string>
#include <vector>

struct CliResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// Runs gramarbor-cli with the given arguments (no shell involved); stdin is empty
// unless input is given.
CliResult RunCli(const std::vector<std::string>& args, const std::string& input = "");

// The whole file as bytes ("" when it cannot be read).
std::string Slurp(const std::string& path);

// Path of a file in examples/ or tests/data/.
std::string ExamplePath(const std::string& name);
std::string TestDataPath(const std::string& name);
