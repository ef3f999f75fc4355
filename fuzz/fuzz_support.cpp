// Helpers shared by the fuzz targets.
#include "fuzz_support.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "base/file_io.h"

namespace gramarbor::fuzz {

void Fail(const char* file, int line, const char* condition, const std::string& detail) {
    std::fprintf(stderr, "\n*** invariant broken at %s:%d: %s\n*** %s\n", file, line, condition,
                 detail.c_str());
    std::fflush(stderr);
    std::abort();
}

uint8_t TakeByte(std::string_view& text) {
    if (text.empty()) return 0;
    const auto byte = static_cast<uint8_t>(text.front());
    text.remove_prefix(1);
    return byte;
}

std::string_view TakeUntilNul(std::string_view& text) {
    const std::size_t nul = text.find('\0');
    const std::string_view head = text.substr(0, nul);
    text = nul == std::string_view::npos ? std::string_view() : text.substr(nul + 1);
    return head;
}

std::vector<std::string> Lines(std::string_view text) {
    return SplitTextLines(text);
}

Watchdog::Watchdog(CancelToken& token, int milliseconds) {
    Timer = std::thread([this, &token, milliseconds] {
        std::unique_lock<std::mutex> guard(Lock);
        if (!Wake.wait_for(guard, std::chrono::milliseconds(milliseconds), [this] { return Done; }))
            token.Cancel();
    });
}

Watchdog::~Watchdog() {
    {
        std::lock_guard<std::mutex> guard(Lock);
        Done = true;
    }
    Wake.notify_one();
    Timer.join();
}

} // namespace gramarbor::fuzz
