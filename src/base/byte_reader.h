// Bounded little-endian reader over the bytes of a binary file.
//
// Every read checks the bytes left first, so a truncated or damaged file can never
// make the reader run past its end or allocate more than the file holds. After the
// first failed read the reader stays failed and every further read fails too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace gramarbor {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : Bytes(bytes) {}

    bool ReadU8(uint8_t& value);
    bool ReadBool(bool& value); // any non-zero byte is true
    bool ReadU16(uint16_t& value);
    bool ReadI16(int16_t& value);
    bool ReadI32(int32_t& value);
    bool ReadU32(uint32_t& value);
    // Reads exactly count raw bytes.
    bool ReadBytes(std::size_t count, std::string& value);
    // Reads an int32 length and that many bytes; a negative length or one beyond
    // the end of the data (or above maxLength) fails.
    bool ReadString(std::string& value, std::size_t maxLength = SIZE_MAX);
    // Reads an int32 count that must lie in 0..maxCount and, when each item needs at
    // least minItemBytes, must fit into the bytes left.
    bool ReadCount(int32_t& count, int32_t maxCount, std::size_t minItemBytes);

    std::size_t Position() const { return Pos; }
    std::size_t Remaining() const { return Failed ? 0 : Bytes.size() - Pos; }
    bool AtEnd() const { return Pos == Bytes.size(); }
    bool Ok() const { return !Failed; }

private:
    bool Take(std::size_t count, const char*& data);

    std::string_view Bytes;
    std::size_t Pos = 0;
    bool Failed = false;
};

} // namespace gramarbor
