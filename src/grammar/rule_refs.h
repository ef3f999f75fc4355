// The 4-byte cross-reference entries kept in TElemNode::Refs.
//
// On a left element each entry is a use: bytes 0-1 the using rule (16-bit, low byte
// first), byte 2 the position in its right side, byte 3 the alternative index (0 in
// the internal CFG). On a right-side nonterminal each entry is a definition: bytes 0-1
// the defining rule, bytes 2-3 the characters "00".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace gramarbor {

inline constexpr std::size_t RefEntrySize = 4;

inline void AppendUseRef(std::string& refs, uint16_t rule, uint8_t position,
                         uint8_t alternative = 0) {
    refs.push_back(static_cast<char>(rule & 0xFF));
    refs.push_back(static_cast<char>(rule >> 8));
    refs.push_back(static_cast<char>(position));
    refs.push_back(static_cast<char>(alternative));
}

inline void AppendDefinitionRef(std::string& refs, uint16_t rule) {
    refs.push_back(static_cast<char>(rule & 0xFF));
    refs.push_back(static_cast<char>(rule >> 8));
    refs.push_back('0');
    refs.push_back('0');
}

inline std::size_t RefCount(const std::string& refs) {
    return refs.size() / RefEntrySize;
}

// Rule index of entry i (uses and definitions alike).
inline uint16_t RefRule(const std::string& refs, std::size_t i) {
    const auto low = static_cast<unsigned char>(refs[i * RefEntrySize]);
    const auto high = static_cast<unsigned char>(refs[i * RefEntrySize + 1]);
    return static_cast<uint16_t>(low | (high << 8));
}

// Right-side position of use entry i.
inline uint8_t RefPosition(const std::string& refs, std::size_t i) {
    return static_cast<uint8_t>(refs[i * RefEntrySize + 2]);
}

// Alternative index of use entry i.
inline uint8_t RefAlternative(const std::string& refs, std::size_t i) {
    return static_cast<uint8_t>(refs[i * RefEntrySize + 3]);
}

} // namespace gramarbor
