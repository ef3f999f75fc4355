// Conversion between Windows-1252 bytes and UTF-8.
#include "text/cp1252.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <unordered_map>

namespace gramarbor {

namespace {

// Code points of the bytes 0x80..0x9F; the rest of the range equals Latin-1.
constexpr std::array<uint16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

uint32_t CodePointOf(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? HighControls[byte - 0x80] : byte;
}

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at pos; returns its length, or 0 when it is invalid.
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, uint32_t& cp) {
    const auto b0 = static_cast<unsigned char>(text[pos]);
    std::size_t length = 0;
    uint32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        length = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

const std::unordered_map<uint32_t, char>& ReverseHigh() {
    static const std::unordered_map<uint32_t, char> table = [] {
        std::unordered_map<uint32_t, char> map;
        for (std::size_t i = 0; i < HighControls.size(); ++i)
            map.emplace(HighControls[i], static_cast<char>(0x80 + i));
        return map;
    }();
    return table;
}

} // namespace

bool IsAscii(std::string_view text) {
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word = 0;
        std::memcpy(&word, text.data() + i, 8);
        if (word & 0x8080808080808080ull) return false;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    return true;
}

std::string Cp1252ToUtf8(std::string_view text) {
    // Most texts are plain ASCII, which both encodings share.
    if (IsAscii(text)) return std::string(text);
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text)
        AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    return out;
}

bool Utf8ToCp1252(std::string_view utf8, std::string& out, std::size_t* badOffset) {
    out.clear();
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        uint32_t cp = 0;
        const std::size_t length = DecodeUtf8(utf8, pos, cp);
        char byte = 0;
        bool ok = length > 0;
        if (ok) {
            if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
                byte = static_cast<char>(cp);
            } else {
                const auto found = ReverseHigh().find(cp);
                ok = found != ReverseHigh().end();
                if (ok) byte = found->second;
            }
        }
        if (!ok) {
            if (badOffset) *badOffset = pos;
            return false;
        }
        out.push_back(byte);
        pos += length;
    }
    return true;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        uint32_t cp = 0;
        const std::size_t length = DecodeUtf8(text, pos, cp);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

bool DecodeTextFile(std::string_view bytes, std::string& text, int* badLine) {
    const std::string_view bom = "\xEF\xBB\xBF";
    const bool hasBom = bytes.substr(0, 3) == bom;
    if (hasBom) bytes.remove_prefix(3);
    bool nonAscii = false;
    for (const char c : bytes)
        nonAscii = nonAscii || static_cast<unsigned char>(c) >= 0x80;
    if ((!nonAscii && !hasBom) || !IsValidUtf8(bytes)) {
        text.assign(bytes);
        return true;
    }
    std::size_t badOffset = 0;
    if (Utf8ToCp1252(bytes, text, &badOffset)) return true;
    if (badLine) {
        int line = 1;
        for (std::size_t i = 0; i < badOffset; ++i) {
            if (bytes[i] == '\n' ||
                (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
                ++line;
        }
        *badLine = line;
    }
    text.clear();
    return false;
}

} // namespace gramarbor
