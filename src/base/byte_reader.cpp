// The bounded reader: every read checks the bytes left before it takes any.
#include "base/byte_reader.h"

namespace gramarbor {

bool ByteReader::Take(std::size_t count, const char*& data) {
    if (Failed || count > Bytes.size() - Pos) {
        Failed = true;
        return false;
    }
    data = Bytes.data() + Pos;
    Pos += count;
    return true;
}

bool ByteReader::ReadU8(uint8_t& value) {
    const char* data = nullptr;
    if (!Take(1, data)) return false;
    value = static_cast<uint8_t>(data[0]);
    return true;
}

bool ByteReader::ReadBool(bool& value) {
    uint8_t byte = 0;
    if (!ReadU8(byte)) return false;
    value = byte != 0;
    return true;
}

bool ByteReader::ReadU16(uint16_t& value) {
    const char* data = nullptr;
    if (!Take(2, data)) return false;
    value =
        static_cast<uint16_t>(static_cast<uint8_t>(data[0]) | (static_cast<uint8_t>(data[1]) << 8));
    return true;
}

bool ByteReader::ReadI16(int16_t& value) {
    uint16_t raw = 0;
    if (!ReadU16(raw)) return false;
    value = static_cast<int16_t>(raw);
    return true;
}

bool ByteReader::ReadU32(uint32_t& value) {
    const char* data = nullptr;
    if (!Take(4, data)) return false;
    value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(data[i]);
    return true;
}

bool ByteReader::ReadI32(int32_t& value) {
    uint32_t raw = 0;
    if (!ReadU32(raw)) return false;
    value = static_cast<int32_t>(raw);
    return true;
}

bool ByteReader::ReadBytes(std::size_t count, std::string& value) {
    const char* data = nullptr;
    if (!Take(count, data)) return false;
    value.assign(data, count);
    return true;
}

bool ByteReader::ReadString(std::string& value, std::size_t maxLength) {
    int32_t length = 0;
    if (!ReadI32(length)) return false;
    if (length < 0 || static_cast<std::size_t>(length) > maxLength) {
        Failed = true;
        return false;
    }
    return ReadBytes(static_cast<std::size_t>(length), value);
}

bool ByteReader::ReadCount(int32_t& count, int32_t maxCount, std::size_t minItemBytes) {
    if (!ReadI32(count)) return false;
    if (count < 0 || count > maxCount ||
        (minItemBytes > 0 && static_cast<std::size_t>(count) > Remaining() / minItemBytes)) {
        Failed = true;
        return false;
    }
    return true;
}

} // namespace gramarbor
