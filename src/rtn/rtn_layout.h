// Geometry of the drawn network: node positions, steps between nodes, the focus
// frame over a net name or a transition, and hit-testing of mouse positions.
#pragma once

#include <cstdint>

#include "picture/canvas.h"
#include "rtn/rtn_model.h"

namespace gramarbor {

inline constexpr int32_t BaseStep = 128;
inline constexpr int32_t LineHeight = 128;
inline constexpr int32_t LeftMargin = 8;
inline constexpr int32_t FirstLineY = LineHeight / 2;
// Half height of a node ellipse; its half width is NodeRadius.
inline constexpr int32_t NodeHalfHeight = 24;

struct TRtnMetrics {
    int32_t NodeSize = 0; // 0..16
    int32_t NodeDist = 0; // 0..16
    int32_t NodeRadius = 24;
    int32_t Grow = 0;
    int32_t Step = BaseStep;
    int32_t HalfStep = BaseStep / 2;
    int32_t Gap = 0;
    int32_t HalfGap = 0;
    int32_t ArcOrigin = LeftMargin + BaseStep;

    // Centre line of net row.
    int32_t RowY(int32_t row) const { return FirstLineY + row * LineHeight; }
    // Centre of node k.
    int32_t NodeX(int32_t k) const { return LeftMargin + HalfStep + Grow + k * Step; }
    // Midpoint between node k and node k + 1.
    int32_t MidX(int32_t k) const { return ArcOrigin + k * Step; }
};

// Sets NodeRadius from NodeSize (as clicking the node-size control does).
void ApplyNodeSize(TRtnMetrics& metrics);
// Recomputes Grow, Step, HalfStep, Gap, HalfGap and ArcOrigin from NodeRadius and NodeDist.
void ComputeRtnMetrics(TRtnMetrics& metrics);
// Metrics for the given settings.
TRtnMetrics MakeRtnMetrics(int32_t nodeSize, int32_t nodeDist);

// Largest node count of all nets, 0 for none.
std::size_t MaxNodeCount(const TRtn& rtn);

// The focus frame over net l: k < 0 is the net-name area (a filled frame), k >= 0 the
// transition from node k to node k + 1 (an outline).
struct TFocusFrame {
    TRect Box;
    bool Filled = false;
};
TFocusFrame FocusFrameGeometry(const TRtnMetrics& metrics, int32_t k, int32_t l);

// What the mouse at (x, y) points at: net FocusLine and transition FocusNode (-1 for
// the net-name area). False when y lies below the last net.
bool HitTestFocus(const TRtn& rtn, const TRtnMetrics& metrics, int32_t x, int32_t y,
                  int32_t& focusNode, int32_t& focusLine);

} // namespace gramarbor
