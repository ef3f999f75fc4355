#include "run_cli.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

CliResult RunCli(const std::vector<std::string>& args, const std::string& input) {
    char outPath[] = "/tmp/gramarbor-cli-out-XXXXXX";
    char errPath[] = "/tmp/gramarbor-cli-err-XXXXXX";
    char inPath[] = "/tmp/gramarbor-cli-in-XXXXXX";
    const int outFd = mkstemp(outPath);
    const int errFd = mkstemp(errPath);
    const int inFd = mkstemp(inPath);
    if (write(inFd, input.data(), input.size()) != static_cast<ssize_t>(input.size())) return {};
    lseek(inFd, 0, SEEK_SET);

    CliResult result;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(inFd, 0);
        dup2(outFd, 1);
        dup2(errFd, 2);
        std::vector<char*> argv;
        std::string program = GRAMARBOR_CLI;
        argv.push_back(program.data());
        std::vector<std::string> copies = args;
        for (auto& arg : copies)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

std::string ExamplePath(const std::string& name) {
    return std::string(GRAMARBOR_EXAMPLES) + "/" + name;
}

std::string TestDataPath(const std::string& name) {
    return std::string(GRAMARBOR_TEST_DATA) + "/" + name;
}
