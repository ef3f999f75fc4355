// Runs gramarbor-cli with arguments and captures what it prints.
#pragma once

#include <string>
#include <vector>

struct CliResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// Runs the built gramarbor-cli with the given arguments (no shell involved); stdin is
// empty unless input is given.
CliResult RunCli(const std::vector<std::string>& args, const std::string& input = "");

// Runs the same command line inside the test process, with its standard output and
// error sent to files for the time of the call: for tests that run thousands of
// command lines, which cannot afford to start the program each time.
CliResult RunCliHere(const std::vector<std::string>& args);

// Replaces the process (a forked child) by gramarbor-cli with the given arguments.
[[noreturn]] void ExecCli(const std::vector<std::string>& args);

// A path in a folder of this test process's own (removed when the process ends), so
// that tests running in parallel never share a file; with text, the file is written.
std::string TempPath(const std::string& name);
std::string WriteTempFile(const std::string& name, const std::string& text);

// The whole file as bytes ("" when it cannot be read).
std::string Slurp(const std::string& path);

// Path of a file in examples/ or tests/data/.
std::string ExamplePath(const std::string& name);
std::string TestDataPath(const std::string& name);
