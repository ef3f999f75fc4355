// Ways to make a save fail that hold for root as well, so that the failure paths
// of saving are proved however the tests run: a file size limit that makes writes
// fail as on a full disk and a descriptor limit that leaves no file to create.
#pragma once

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

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

} // namespace gramarbor::testing
