// Little-endian writer that collects the bytes of a binary file in memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace gramarbor {

class ByteWriter {
public:
    void WriteU8(uint8_t value) { Bytes.push_back(static_cast<char>(value)); }
    void WriteBool(bool value) { WriteU8(value ? 1 : 0); }
    void WriteU16(uint16_t value);
    void WriteI16(int16_t value) { WriteU16(static_cast<uint16_t>(value)); }
    void WriteU32(uint32_t value);
    void WriteI32(int32_t value) { WriteU32(static_cast<uint32_t>(value)); }
    void WriteBytes(std::string_view bytes) { Bytes.append(bytes); }
    // An int32 length followed by the bytes.
    void WriteString(std::string_view text);

    const std::string& Data() const { return Bytes; }
    std::string Take() { return std::move(Bytes); }

private:
    std::string Bytes;
};

} // namespace gramarbor
