// Draws the barbed arrow heads of network arcs and tree lines.
#include "picture/arrow_head.h"

#include <cmath>
#include <numbers>

namespace gramarbor {

void DrawArrowHead(Canvas& canvas, TPoint tip, int angle, bool filled, int a, int b, int c) {
    const double theta = angle * std::numbers::pi / 180.0;
    const double cosT = std::cos(theta);
    const double sinT = std::sin(theta);
    const double local[4][2] = {
        {0, 0}, {-double(a), double(b)}, {-double(a) - c, 0}, {-double(a), -double(b)}};
    std::vector<TPoint> points;
    points.reserve(4);
    for (const auto& p : local) {
        const double x = tip.X + p[0] * cosT - p[1] * sinT;
        const double y = tip.Y + p[0] * sinT + p[1] * cosT;
        // nearbyint rounds halves to even in the default rounding mode.
        points.push_back(
            {static_cast<int32_t>(std::nearbyint(x)), static_cast<int32_t>(std::nearbyint(y))});
    }
    if (filled) {
        canvas.State.BrushStyle = TBrushStyle::bsSolid;
        canvas.State.BrushColor = clBlack;
    }
    canvas.Polygon(points);
    if (filled) {
        canvas.State.BrushStyle = TBrushStyle::bsClear;
        canvas.State.BrushColor = clWhite;
    }
}

} // namespace gramarbor
