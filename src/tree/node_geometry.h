// Sizes derived from a node's font height: box margins, index fonts, frame parts.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tree/tree.h"

namespace gramarbor {

// Coordinates of a drawn tree stay within this range; larger trees are refused.
inline constexpr int64_t MaxDrawingCoordinate = int64_t(1) << 29;

// What a tree beyond MaxDrawingCoordinate is refused with, after error 24's text,
// whichever of its sizes is too large.
inline constexpr const char* TooLargeToDrawContext = " The tree is too large to be drawn.";

// Horizontal inner margin of a node box.
inline constexpr int32_t BoxMargin(int32_t fontSize) {
    return ((fontSize / 4) + 2) / 2 + 1;
}
// Font height of upper and lower indices.
inline constexpr int32_t IndexFontSize(int32_t fontSize) {
    return (3 * fontSize) / 4;
}
// How far a lower index is drawn below normal text (an upper index a third of it above).
inline constexpr int32_t IndexShift(int32_t fontSize) {
    return fontSize - IndexFontSize(fontSize) + 2;
}
// Corner width and height of a round frame.
inline constexpr int32_t RoundCorner(int32_t fontSize) {
    return (3 * fontSize) / 4;
}
// Arm length of a bracket frame.
inline constexpr int32_t BracketArm(int32_t fontSize) {
    return (fontSize / 4) + 2;
}

// In 64 bits: a name of many lines at a large line distance is taller than 32 bits
// can hold.
struct NodeBoxSize {
    int64_t TextWidth = 0; // widest line
    int64_t Margin = 0;    // horizontal inner margin
    int64_t Width = 0;
    int64_t Height = 0;
};

// The box of lineCount text lines whose widest line is textWidth wide.
NodeBoxSize MeasureNodeBox(const TNodeAttr& attr, int64_t textWidth, std::size_t lineCount);

// value limited to the int32 range (for coordinates already checked against
// MaxDrawingCoordinate, or for measures that only have to stay too large).
inline constexpr int32_t ClampToInt32(int64_t value) {
    return value < INT32_MIN   ? INT32_MIN
           : value > INT32_MAX ? INT32_MAX
                               : static_cast<int32_t>(value);
}

} // namespace gramarbor
