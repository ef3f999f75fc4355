// Font heights from points, and the pen-position moves every canvas shares.
#include "picture/canvas.h"

namespace gramarbor {

int32_t PointsToFontHeight(int points) {
    // MulDiv(points, 96, 72), rounded half away from zero, as a character height.
    const int64_t scaled = static_cast<int64_t>(points) * 96;
    const int64_t rounded = scaled >= 0 ? (scaled + 36) / 72 : (scaled - 36) / 72;
    return static_cast<int32_t>(-rounded);
}

double FontEmSize(int32_t height, double cellToEm) {
    if (height == 0) height = PointsToFontHeight(8);
    return height < 0 ? -static_cast<double>(height) : height * cellToEm;
}

void Canvas::LineTo(int32_t x, int32_t y) {
    DrawLine(PenPos, {x, y});
    PenPos = {x, y};
}

} // namespace gramarbor
