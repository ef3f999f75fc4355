// gramarbor-cli parse streams its trees: memory stays that of the chart however many
// trees there are, and the run ends as soon as nobody reads its output.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "run_cli.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool AddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool AddressSanitizer = false;
#endif
// The address space of a run, unlimited under AddressSanitizer (its shadow memory).
constexpr rlim_t Bound = AddressSanitizer ? 0 : rlim_t(2) << 30;

// "I saw the man" and 23 times "in the park": Catalan(24), about 1.3 trillion trees.
std::vector<std::string> ParseArgs(std::vector<std::string> options) {
    const std::string grammar =
        WriteTempFile("park.cfg", "S = NP VP\nNP = Det N\nNP = NP PP\nNP = \"I\"\nVP = V NP\n"
                                  "VP = VP PP\nPP = P NP\nDet = \"the\"\nN = \"man\"\n"
                                  "N = \"park\"\nV = \"saw\"\nP = \"in\"\n");
    std::vector<std::string> args{"parse"};
    args.insert(args.end(), options.begin(), options.end());
    for (const char* word : {"I", "saw", "the", "man"})
        args.push_back(word);
    for (int i = 0; i < 23; ++i)
        for (const char* word : {"in", "the", "park"})
            args.push_back(word);
    args.insert(args.begin() + 1 + static_cast<std::ptrdiff_t>(options.size()), grammar);
    return args;
}

struct Child {
    pid_t Pid = -1;
    int Out = -1; // read end of its standard output, or -1 when that goes elsewhere
};

// Starts gramarbor-cli with stdout into a pipe (or /dev/null), stderr to /dev/null,
// the address space limited to limit bytes (0: unlimited) and SIGPIPE as given.
Child Start(const std::vector<std::string>& args, rlim_t limit, bool toPipe,
            bool ignorePipeSignal = false) {
    int pipeFds[2] = {-1, -1};
    if (toPipe && pipe(pipeFds) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        if (limit != 0) {
            const rlimit bound{limit, limit};
            setrlimit(RLIMIT_AS, &bound);
        }
        std::signal(SIGPIPE, ignorePipeSignal ? SIG_IGN : SIG_DFL);
        const int null = open("/dev/null", O_WRONLY);
        dup2(toPipe ? pipeFds[1] : null, 1);
        dup2(null, 2);
        if (toPipe) close(pipeFds[0]);
        std::vector<std::string> copies = args;
        std::string program = GRAMARBOR_CLI;
        std::vector<char*> argv{program.data()};
        for (auto& arg : copies)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    if (toPipe) close(pipeFds[1]);
    return {pid, toPipe ? pipeFds[0] : -1};
}

// Waits for the child; kills it and gives nothing after a generous time (a hang).
std::optional<int> Wait(pid_t pid, rusage* usage = nullptr) {
    rusage ignored{};
    for (int i = 0; i < 6000; ++i) {
        int status = 0;
        if (wait4(pid, &status, WNOHANG, usage ? usage : &ignored) == pid) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return std::nullopt;
}

std::string ReadAll(int fd) {
    std::string text;
    char block[1 << 16];
    for (ssize_t got; (got = read(fd, block, sizeof block)) != 0;)
        if (got > 0) text.append(block, static_cast<std::size_t>(got));
    close(fd);
    return text;
}

} // namespace

TEST(ParseStream, TheFirstThousandTreesFitIntoTwoGigabytesOfAddressSpace) {
    const Child child = Start(ParseArgs({"--max-trees", "1000"}), Bound, true);
    ASSERT_GT(child.Pid, 0);
    const std::string out = ReadAll(child.Out);
    const std::optional<int> status = Wait(child.Pid);
    ASSERT_TRUE(status.has_value()) << "the run did not end";
    ASSERT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1002) << "verdict, empty line, 1000 trees";
    EXPECT_EQ(out.substr(0, 40), "Parsing successful!\n\n[S [NP [I]] [VP [V ");
}

TEST(ParseStream, ARunEndsWhenItsOutputIsClosed) {
    // Without a limit the trees would take longer than anyone lives; closing the pipe
    // ends the run, by the signal or, where that is ignored, by the failed write.
    for (const bool ignorePipeSignal : {false, true}) {
        const Child child = Start(ParseArgs({}), Bound, true, ignorePipeSignal);
        ASSERT_GT(child.Pid, 0);
        // The first tree; a generous wait guards against a run that prints nothing.
        std::string head;
        char block[4096];
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (head.find("]]\n") == std::string::npos &&
               std::chrono::steady_clock::now() < deadline) {
            pollfd ready{child.Out, POLLIN, 0};
            if (poll(&ready, 1, 100) <= 0) continue;
            const ssize_t got = read(child.Out, block, sizeof block);
            if (got <= 0) break;
            head.append(block, static_cast<std::size_t>(got));
        }
        close(child.Out);
        EXPECT_EQ(head.substr(0, 21), "Parsing successful!\n\n");
        const std::optional<int> status = Wait(child.Pid);
        ASSERT_TRUE(status.has_value()) << "the run went on after its output closed";
        if (ignorePipeSignal)
            EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 2) << *status;
        else
            EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == SIGPIPE) << *status;
    }
}

TEST(ParseStream, MemoryDoesNotGrowWithTheNumberOfTrees) {
    if (AddressSanitizer) GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine";
    long peakKb[2] = {0, 0};
    const char* counts[2] = {"1000", "100000"};
    for (int i = 0; i < 2; ++i) {
        const Child child = Start(ParseArgs({"--max-trees", counts[i]}), 0, false);
        rusage usage{};
        const std::optional<int> status = Wait(child.Pid, &usage);
        ASSERT_TRUE(status.has_value() && WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
        peakKb[i] = usage.ru_maxrss;
    }
    // 99,000 more trees are 110 MB more text: none of it may stay behind.
    EXPECT_LT(peakKb[1] - peakKb[0], 16 * 1024) << peakKb[0] << " KB, then " << peakKb[1];
}
