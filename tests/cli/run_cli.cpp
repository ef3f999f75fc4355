// Runs the command-line tool, as a process or in a forked child, and collects its output.
#include "run_cli.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/command_line.h"

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

namespace {

// Runs child in a forked process with stdin holding input and stdout and stderr
// captured; child returns the exit status.
CliResult RunInChild(const std::function<int()>& child, const std::string& input) {
    char outPath[] = "/tmp/gramarbor-cli-out-XXXXXX";
    char errPath[] = "/tmp/gramarbor-cli-err-XXXXXX";
    char inPath[] = "/tmp/gramarbor-cli-in-XXXXXX";
    const int outFd = mkstemp(outPath);
    const int errFd = mkstemp(errPath);
    const int inFd = mkstemp(inPath);
    CliResult result;
    if (write(inFd, input.data(), input.size()) == static_cast<ssize_t>(input.size())) {
        lseek(inFd, 0, SEEK_SET);
        std::fflush(nullptr); // nothing the test printed may be written twice
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(inFd, 0);
            dup2(outFd, 1);
            dup2(errFd, 2);
            _exit(child());
        }
        int status = 0;
        waitpid(pid, &status, 0);
        result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    close(outFd);
    close(errFd);
    close(inFd);
    result.Out = Slurp(outPath);
    result.Err = Slurp(errPath);
    unlink(outPath);
    unlink(errPath);
    unlink(inPath);
    return result;
}

} // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& input) {
    return RunInChild(
        [&] {
            std::vector<char*> argv;
            std::string program = GRAMARBOR_CLI;
            argv.push_back(program.data());
            std::vector<std::string> copies = args;
            for (auto& arg : copies)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            return 127;
        },
        input);
}

CliResult RunCliHere(const std::vector<std::string>& args) {
    char outPath[] = "/tmp/gramarbor-cli-out-XXXXXX";
    char errPath[] = "/tmp/gramarbor-cli-err-XXXXXX";
    const int outFd = mkstemp(outPath);
    const int errFd = mkstemp(errPath);
    std::fflush(nullptr);
    std::cerr.flush();
    const int savedOut = dup(1);
    const int savedErr = dup(2);
    dup2(outFd, 1);
    dup2(errFd, 2);
    CliResult result;
    result.ExitCode = gramarbor::cli::RunCommandLine(args);
    std::cerr.flush();
    dup2(savedOut, 1);
    dup2(savedErr, 2);
    for (const int fd : {savedOut, savedErr, outFd, errFd})
        close(fd);
    result.Out = Slurp(outPath);
    result.Err = Slurp(errPath);
    unlink(outPath);
    unlink(errPath);
    return result;
}

namespace {

struct ProcessFolder {
    std::filesystem::path Path = std::filesystem::temp_directory_path() /
                                 ("gramarbor-cli-tests-" + std::to_string(getpid()));
    ProcessFolder() { std::filesystem::create_directories(Path); }
    ~ProcessFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
};

} // namespace

std::string TempPath(const std::string& name) {
    static const ProcessFolder folder;
    return (folder.Path / name).string();
}

std::string WriteTempFile(const std::string& name, const std::string& text) {
    const std::string path = TempPath(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string ExamplePath(const std::string& name) {
    return std::string(GRAMARBOR_EXAMPLES) + "/" + name;
}

std::string TestDataPath(const std::string& name) {
    return std::string(GRAMARBOR_TEST_DATA) + "/" + name;
}
