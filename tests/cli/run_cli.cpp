// Runs the command-line tool, as a process or in the test process, and collects its output.
#include "run_cli.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
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

void ExecCli(const std::vector<std::string>& args) {
    std::string program = GRAMARBOR_CLI;
    std::vector<std::string> copies = args;
    std::vector<char*> argv{program.data()};
    for (auto& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
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

// The whole of a temporary file, which is closed (and so removed).
std::string ReadBack(std::FILE* file) {
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

// Calls run, which returns the exit status, with this process's standard output and
// error sent to temporary files (which a forked child shares).
CliResult Captured(const std::function<int()>& run) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fflush(nullptr); // nothing the test printed may go to the files or twice
    const int savedOut = dup(1), savedErr = dup(2);
    dup2(fileno(out), 1);
    dup2(fileno(err), 2);
    CliResult result;
    result.ExitCode = run();
    std::fflush(nullptr);
    dup2(savedOut, 1);
    dup2(savedErr, 2);
    close(savedOut);
    close(savedErr);
    result.Out = ReadBack(out);
    result.Err = ReadBack(err);
    return result;
}

} // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& input) {
    std::FILE* in = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::fflush(in);
    std::rewind(in);
    CliResult result = Captured([&] {
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(fileno(in), 0);
            ExecCli(args);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    });
    std::fclose(in);
    return result;
}

CliResult RunCliHere(const std::vector<std::string>& args) {
    return Captured([&] { return gramarbor::cli::RunCommandLine(args); });
}

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
