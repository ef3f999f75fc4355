// The little-endian writer of binary files, collecting bytes in memory.
#include "base/byte_writer.h"

namespace gramarbor {

void ByteWriter::WriteU16(uint16_t value) {
    WriteU8(static_cast<uint8_t>(value & 0xFF));
    WriteU8(static_cast<uint8_t>(value >> 8));
}

void ByteWriter::WriteU32(uint32_t value) {
    for (int i = 0; i < 4; ++i)
        WriteU8(static_cast<uint8_t>((value >> (8 * i)) & 0xFF));
}

void ByteWriter::WriteString(std::string_view text) {
    WriteI32(static_cast<int32_t>(text.size()));
    WriteBytes(text);
}

} // namespace gramarbor
