// Character classes, German case folding and the small string helpers.
#include "text/text_utils.h"

#include <charconv>

namespace gramarbor {

const std::string UmlautPairs = "\xE4\xC4\xF6\xD6\xFC\xDC";
const std::string IdentChars = std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ_\xDF"
                                           "0123456789") +
                               UmlautPairs[1] + UmlautPairs[3] + UmlautPairs[5];
const int IdentStartCount = static_cast<int>(IdentChars.find('_')) + 1;

namespace {

// Lookup tables built once: folding and identifier classes of every byte.
struct CharTables {
    char Upper[256];
    char Lower[256];
    bool IdentStart[256];
    bool IdentPart[256];

    CharTables() {
        for (int i = 0; i < 256; ++i) {
            const char c = static_cast<char>(i);
            Upper[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
            Lower[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            IdentStart[i] = false;
            IdentPart[i] = false;
        }
        for (std::size_t i = 0; i + 1 < UmlautPairs.size(); i += 2) {
            Upper[static_cast<unsigned char>(UmlautPairs[i])] = UmlautPairs[i + 1];
            Lower[static_cast<unsigned char>(UmlautPairs[i + 1])] = UmlautPairs[i];
        }
        for (std::size_t i = 0; i < IdentChars.size(); ++i) {
            const auto u = static_cast<unsigned char>(IdentChars[i]);
            IdentPart[u] = true;
            if (static_cast<int>(i) < IdentStartCount) IdentStart[u] = true;
        }
    }
};

const CharTables& Tables() {
    static const CharTables tables;
    return tables;
}

} // namespace

char UpCaseChar(char c) {
    return Tables().Upper[static_cast<unsigned char>(c)];
}

std::string UpperCaseGerman(std::string_view text) {
    std::string result(text);
    const auto& tables = Tables();
    for (char& c : result)
        c = tables.Upper[static_cast<unsigned char>(c)];
    return result;
}

std::string LowerCaseGerman(std::string_view text, bool capitalizeFirst) {
    std::string result(text);
    const auto& tables = Tables();
    for (char& c : result)
        c = tables.Lower[static_cast<unsigned char>(c)];
    if (capitalizeFirst && !result.empty()) result[0] = UpCaseChar(result[0]);
    return result;
}

bool IsIdentifier(std::string_view text) {
    if (text.empty()) return false;
    const auto& tables = Tables();
    if (!tables.IdentStart[static_cast<unsigned char>(UpCaseChar(text[0]))]) return false;
    for (std::size_t i = 1; i < text.size(); ++i)
        if (!tables.IdentPart[static_cast<unsigned char>(UpCaseChar(text[i]))]) return false;
    return true;
}

bool SplitString(std::string_view text, std::string_view sep, std::vector<std::string>* list) {
    if (list == nullptr) return false;
    list->clear();
    if (text.empty() || sep.empty()) return true;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t found = text.find(sep, start);
        if (found == std::string_view::npos) found = text.size();
        if (found > start) list->emplace_back(text.substr(start, found - start));
        start = found + sep.size();
    }
    return true;
}

std::size_t PosFrom(std::string_view pattern, std::string_view text, std::size_t start) {
    if (start < 1) start = 1;
    if (start > text.size()) return 0;
    const std::size_t found = text.find(pattern, start - 1);
    return found == std::string_view::npos ? 0 : found + 1;
}

std::string RepeatChar(char c, int count) {
    return count <= 0 ? std::string() : std::string(count, c);
}

std::string WordToStr2(uint16_t value) {
    std::string result(2, '\0');
    result[0] = static_cast<char>(value & 0xFF);
    result[1] = static_cast<char>(value >> 8);
    return result;
}

uint16_t Str2ToWord(std::string_view text) {
    if (text.size() < 2) return 0;
    return static_cast<uint16_t>(static_cast<unsigned char>(text[0]) |
                                 (static_cast<unsigned char>(text[1]) << 8));
}

std::string TrimLeftText(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    return std::string(text.substr(first));
}

std::string TrimText(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32)
        --last;
    return std::string(text.substr(first, last - first));
}

std::string IntToStr(long long value) {
    return std::to_string(value);
}

bool StrToInt32(std::string_view text, int32_t& value) {
    if (text.empty()) return false;
    bool negative = false;
    std::size_t pos = 0;
    if (text[0] == '-' || text[0] == '+') {
        negative = text[0] == '-';
        pos = 1;
    }
    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    }
    if (pos >= text.size()) return false;
    unsigned long long magnitude = 0;
    const char* first = text.data() + pos;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, magnitude, base);
    if (error != std::errc() || end != last) return false;
    if (base == 16) {
        // Hexadecimal denotes the 32-bit pattern, as "$FFFFFFFF" is -1.
        if (magnitude > 0xFFFFFFFFull) return false;
        const auto pattern = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
        value = negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(pattern)) : pattern;
        return true;
    }
    if (negative ? magnitude > 2147483648ull : magnitude > 2147483647ull) return false;
    value = negative ? static_cast<int32_t>(-static_cast<long long>(magnitude))
                     : static_cast<int32_t>(magnitude);
    return true;
}

} // namespace gramarbor
