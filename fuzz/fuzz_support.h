// Helpers shared by the fuzz targets: invariant checks that stop the run with a
// readable reason, splitting of the input, and a watchdog that cancels long searches.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "base/cancel_token.h"

namespace gramarbor::fuzz {

// Prints the broken invariant and aborts, so that libFuzzer records the input.
[[noreturn]] void Fail(const char* file, int line, const char* condition,
                       const std::string& detail);

#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition)) ::gramarbor::fuzz::Fail(__FILE__, __LINE__, #condition, (detail));       \
    } while (0)

// The input as raw bytes.
inline std::string_view AsText(const uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Takes the first byte (0 when there is none) and drops it from text.
uint8_t TakeByte(std::string_view& text);

// The part of text before the first NUL byte; text keeps what follows the NUL
// (nothing when there is none).
std::string_view TakeUntilNul(std::string_view& text);

// Lines at CR LF, LF or CR.
std::vector<std::string> Lines(std::string_view text);

// Cancels token after the given time unless stopped earlier (by destruction).
class Watchdog {
public:
    Watchdog(CancelToken& token, int milliseconds);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex Lock;
    std::condition_variable Wake;
    bool Done = false;
    std::thread Timer;
};

} // namespace gramarbor::fuzz
