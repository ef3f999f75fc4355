// Ways to make a save fail that hold for root as well, so that the failure paths
// of saving are proved however the tests run: a file size limit that makes writes
// fail as on a full disk, a descriptor limit that leaves no file to create, and a
// child process without root's rights for folders that are read-only by permission.
#pragma once

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace gramarbor::testing {

// While it lives, every write past bytes fails (EFBIG) instead of raising SIGXFSZ.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &Before);
        OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = Before;
        small.rlim_cur = bytes;
        Active = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~ScopedFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &Before);
        std::signal(SIGXFSZ, OldHandler);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;
    bool Active = false;

private:
    rlimit Before{};
    void (*OldHandler)(int) = SIG_DFL;
};

// While it lives, no further file descriptor can be opened (EMFILE).
class ScopedNoDescriptors {
public:
    ScopedNoDescriptors() {
        ::getrlimit(RLIMIT_NOFILE, &Before);
        // The lowest free descriptor: the limit just below it leaves none to open.
        const int probe = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (probe < 0) return;
        ::close(probe);
        rlimit none = Before;
        none.rlim_cur = static_cast<rlim_t>(probe);
        Active = ::setrlimit(RLIMIT_NOFILE, &none) == 0;
    }
    ~ScopedNoDescriptors() { ::setrlimit(RLIMIT_NOFILE, &Before); }
    ScopedNoDescriptors(const ScopedNoDescriptors&) = delete;
    ScopedNoDescriptors& operator=(const ScopedNoDescriptors&) = delete;
    bool Active = false;

private:
    rlimit Before{};
};

// Runs body in a child process; when the tests run as root, the child first gives up
// root for the user nobody, so that permission bits bind it. Returns body's result,
// or -1 when the child could not run it (reported as a test failure).
inline int RunWithoutRoot(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid < 0) {
        ADD_FAILURE() << "fork failed";
        return -1;
    }
    if (pid == 0) {
        constexpr int CannotDrop = 125;
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(CannotDrop);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status)) {
        ADD_FAILURE() << "the child process did not end normally";
        return -1;
    }
    if (WEXITSTATUS(status) == 125) {
        ADD_FAILURE() << "root could not give up its rights to test a read-only folder";
        return -1;
    }
    return WEXITSTATUS(status);
}

} // namespace gramarbor::testing
