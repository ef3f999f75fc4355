// The parse option byte: strategy family, direction, trace list and tree flags.
#pragma once

#include <cstdint>

namespace gramarbor {

inline constexpr uint8_t poBottomUp = 0x01;
inline constexpr uint8_t poTopDown = 0x02;
inline constexpr uint8_t poBreadthFirst = 0x04;
inline constexpr uint8_t poDepthFirst = 0x08;
inline constexpr uint8_t poTraceList = 0x10;
inline constexpr uint8_t poOptimalTrace = 0x20;
inline constexpr uint8_t poParseTrees = 0x40;
inline constexpr uint8_t poCaseSensitive = 0x80;

// Bottom-up, breadth-first, optimal trace (off until a trace list is asked for), trees.
inline constexpr uint8_t DefaultParseOptions =
    poBottomUp | poBreadthFirst | poOptimalTrace | poParseTrees;

// A byte without a method flag gets poTopDown, one without a direction flag
// poDepthFirst; everything else is kept.
constexpr uint8_t RepairParseOptions(uint8_t options) {
    if ((options & (poTopDown | poBottomUp)) == 0) options |= poTopDown;
    if ((options & (poDepthFirst | poBreadthFirst)) == 0) options |= poDepthFirst;
    return options;
}

} // namespace gramarbor
