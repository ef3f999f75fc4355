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
std::vector<std::string> ParseArgs(std::vector<std::string> args) {
    args.insert(args.begin(), "parse");
    args.push_back(WriteTempFile(
        "park.cfg",
        "S = NP VP\nNP = Det N\nNP = NP PP\nNP = \"I\"\nVP = V NP\nVP = VP PP\n"
        "PP = P NP\nDet = \"the\"\nN = \"man\"\nN = \"park\"\nV = \"saw\"\nP = \"in\"\n"));
    args.insert(args.end(), {"I", "saw", "the", "man"});
    for (int i = 0; i < 23; ++i)
        args.insert(args.end(), {"in", "the", "park"});
    return args;
}

struct Child {
    pid_t Pid = -1;
    int Out = -1; // read end of its standard output
};

// Starts gramarbor-cli with stdout into a pipe, stderr to /dev/null, the address
// space bounded and SIGPIPE as given.
Child Start(const std::vector<std::string>& args, bool ignorePipeSignal = false) {
    int pipeFds[2] = {-1, -1};
    if (pipe(pipeFds) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit bound{Bound, Bound};
        if (Bound != 0) setrlimit(RLIMIT_AS, &bound);
        std::signal(SIGPIPE, ignorePipeSignal ? SIG_IGN : SIG_DFL);
        dup2(pipeFds[1], 1);
        dup2(open("/dev/null", O_WRONLY), 2);
        close(pipeFds[0]);
        ExecCli(args);
    }
    close(pipeFds[1]);
    return {pid, pipeFds[0]};
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

// Prints at most max trees; the peak of the run's memory in KB.
long FirstTrees(const std::string& max) {
    const Child child = Start(ParseArgs({"--max-trees", max}));
    std::string out;
    char block[1 << 16];
    for (ssize_t got; (got = read(child.Out, block, sizeof block)) > 0;)
        out.append(block, static_cast<std::size_t>(got));
    close(child.Out);
    rusage usage{};
    const std::optional<int> status = Wait(child.Pid, &usage);
    EXPECT_TRUE(status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << max << " trees";
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), std::stol(max) + 2)
        << "verdict, empty line, the trees";
    EXPECT_EQ(out.substr(0, 40), "Parsing successful!\n\n[S [NP [I]] [VP [V ");
    return usage.ru_maxrss;
}

} // namespace

TEST(ParseStream, TreesGoOutWithinTheAddressSpaceAndMemoryOfTheChart) {
    const long thousandKb = FirstTrees("1000");
    if (AddressSanitizer) GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine";
    // 99,000 more trees are 110 MB more text: none of it may stay behind.
    const long moreKb = FirstTrees("100000");
    EXPECT_LT(moreKb - thousandKb, 16 * 1024) << thousandKb << " KB, then " << moreKb;
}

TEST(ParseStream, ARunEndsWhenItsOutputIsClosed) {
    // Without a limit the trees would take longer than anyone lives; closing the pipe
    // ends the run, by the signal or, where that is ignored, by the failed write.
    for (const bool ignorePipeSignal : {false, true}) {
        const Child child = Start(ParseArgs({}), ignorePipeSignal);
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
