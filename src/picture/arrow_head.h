// The barbed arrow heads of network arcs and tree lines.
#pragma once

#include "picture/canvas.h"

namespace gramarbor {

// Draws one closed four-point polygon: in a frame where the arrow points along +x
// with its tip at the origin, the points (0, 0), (-a, b), (-a - c, 0), (-a, -b),
// rotated by angle degrees (clockwise on the screen) and moved to tip, each rounded
// to the nearest integer with halves to even. When filled, the brush is solid black
// for the polygon and afterwards clear with white colour; otherwise the caller's
// brush is used.
void DrawArrowHead(Canvas& canvas, TPoint tip, int angle, bool filled, int a, int b, int c);

} // namespace gramarbor
