// Structural check of a written metafile.
#include "wmf_check.h"

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "picture/wmf_writer.h"

namespace gramarbor::fuzz {

namespace {

uint32_t U16(const std::string& b, std::size_t at) {
    return static_cast<uint8_t>(b[at]) | (static_cast<uint8_t>(b[at + 1]) << 8);
}
uint32_t U32(const std::string& b, std::size_t at) {
    return U16(b, at) | (U16(b, at + 2) << 16);
}

} // namespace

void CheckWmf(const Picture& picture) {
    const std::string bytes = WriteWmfBytes(picture);
    constexpr std::size_t Placeable = 22, Header = 18;
    FUZZ_CHECK(bytes.size() >= Placeable + Header + 6 && bytes.size() % 2 == 0,
               "metafile of " + std::to_string(bytes.size()) + " bytes");
    FUZZ_CHECK(U32(bytes, 0) == 0x9AC6CDD7u, "placeable key missing");
    uint32_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= U16(bytes, i);
    FUZZ_CHECK(checksum == U16(bytes, 20), "placeable checksum wrong");
    FUZZ_CHECK(U16(bytes, Placeable + 2) == 9, "metafile header size is not 9 words");
    FUZZ_CHECK(U32(bytes, Placeable + 6) * 2 == bytes.size() - Placeable,
               "metafile size field differs from the file");
    const uint32_t maxRecord = U32(bytes, Placeable + 12);
    std::size_t at = Placeable + Header;
    uint32_t largest = 0;
    for (;;) {
        FUZZ_CHECK(at + 6 <= bytes.size(), "records run past the end");
        const uint32_t words = U32(bytes, at);
        FUZZ_CHECK(words >= 3 && at + 2 * std::size_t(words) <= bytes.size(),
                   "record of " + std::to_string(words) + " words at " + std::to_string(at));
        if (words > largest) largest = words;
        const uint32_t function = U16(bytes, at + 4);
        at += 2 * std::size_t(words);
        if (function == 0) break;
    }
    FUZZ_CHECK(at == bytes.size(), "bytes after the end-of-file record");
    FUZZ_CHECK(largest == maxRecord, "largest record " + std::to_string(largest) +
                                         " words, header says " + std::to_string(maxRecord));
}

} // namespace gramarbor::fuzz
