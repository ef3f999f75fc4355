// Splits a written metafile into its headers and records, for the tests.
#include "picture/wmf_parse.h"

#include <algorithm>

namespace wmftest {

namespace {

uint16_t U16(const std::string& b, std::size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) |
                                 (static_cast<uint8_t>(b[at + 1]) << 8));
}

uint32_t U32(const std::string& b, std::size_t at) {
    return U16(b, at) | (static_cast<uint32_t>(U16(b, at + 2)) << 16);
}

} // namespace

Metafile ParseWmf(const std::string& bytes) {
    Metafile file;
    if (bytes.size() < 22 + 18 || (bytes.size() & 1)) {
        file.Problem = "too short or odd size";
        return file;
    }
    if (U32(bytes, 0) != 0x9AC6CDD7u) {
        file.Problem = "no placeable key";
        return file;
    }
    uint16_t checksum = 0;
    for (std::size_t i = 0; i < 10; ++i)
        checksum ^= U16(bytes, 2 * i);
    if (checksum != U16(bytes, 20)) {
        file.Problem = "bad checksum";
        return file;
    }
    for (int i = 0; i < 4; ++i)
        file.Box[i] = U16(bytes, 6 + 2 * i);
    file.Inch = U16(bytes, 14);
    file.Type = U16(bytes, 22);
    if (U16(bytes, 24) != 9 || U16(bytes, 26) != 0x0300) {
        file.Problem = "bad header size or version";
        return file;
    }
    file.SizeWords = U32(bytes, 28);
    file.Objects = U16(bytes, 32);
    file.MaxRecord = U32(bytes, 34);
    if (file.SizeWords * 2 != bytes.size() - 22) {
        file.Problem = "file size does not match";
        return file;
    }
    std::size_t at = 22 + 18;
    uint32_t largest = 0;
    while (at < bytes.size()) {
        if (bytes.size() - at < 6) {
            file.Problem = "truncated record";
            return file;
        }
        const uint32_t words = U32(bytes, at);
        if (words < 3 || words * 2 > bytes.size() - at) {
            file.Problem = "bad record size";
            return file;
        }
        largest = std::max(largest, words);
        Record record;
        record.Function = U16(bytes, at + 4);
        record.Params = bytes.substr(at + 6, words * 2 - 6);
        file.Records.push_back(record);
        at += words * 2;
        if (record.Function == 0) break;
    }
    if (file.Records.empty() || file.Records.back().Function != 0 || at != bytes.size()) {
        file.Problem = "no end record at the end";
        return file;
    }
    if (largest != file.MaxRecord) {
        file.Problem = "largest record does not match";
        return file;
    }
    file.Ok = true;
    return file;
}

} // namespace wmftest
