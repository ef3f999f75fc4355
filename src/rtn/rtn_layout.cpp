// Network geometry.
#include "rtn/rtn_layout.h"

#include <algorithm>

namespace gramarbor {

void ApplyNodeSize(TRtnMetrics& metrics) {
    metrics.NodeRadius = 24 + metrics.NodeSize;
}

void ComputeRtnMetrics(TRtnMetrics& m) {
    m.Grow = 2 * (m.NodeRadius - 24);
    m.Step = 8 * m.NodeDist + BaseStep + m.Grow;
    m.HalfStep = m.Step / 2;
    m.Gap = m.Step - BaseStep - m.Grow;
    m.HalfGap = m.Gap / 2;
    m.ArcOrigin = LeftMargin + m.Step + m.Grow;
}

TRtnMetrics MakeRtnMetrics(int32_t nodeSize, int32_t nodeDist) {
    TRtnMetrics m;
    m.NodeSize = nodeSize;
    m.NodeDist = nodeDist;
    ApplyNodeSize(m);
    ComputeRtnMetrics(m);
    return m;
}

std::size_t MaxNodeCount(const TRtn& rtn) {
    std::size_t most = 0;
    for (const TRTNLine& net : rtn)
        most = std::max(most, net.Nodes.size());
    return most;
}

TFocusFrame FocusFrameGeometry(const TRtnMetrics& m, int32_t k, int32_t l) {
    TFocusFrame frame;
    frame.Box.Top = l * LineHeight - LineHeight / 2 + FirstLineY;
    frame.Box.Bottom = l * LineHeight + LineHeight / 2 + FirstLineY;
    if (k < 0) {
        frame.Box.Left = 0;
        frame.Box.Right = m.ArcOrigin - m.HalfStep - m.NodeRadius;
        frame.Filled = true;
    } else {
        frame.Box.Left = m.ArcOrigin + k * m.Step - m.HalfStep - m.NodeRadius;
        frame.Box.Right = m.ArcOrigin + k * m.Step + m.HalfStep + m.NodeRadius;
        frame.Filled = false;
    }
    return frame;
}

bool HitTestFocus(const TRtn& rtn, const TRtnMetrics& m, int32_t x, int32_t y, int32_t& focusNode,
                  int32_t& focusLine) {
    if (y < 0) return false;
    const int32_t l = y / LineHeight;
    if (static_cast<std::size_t>(l) >= rtn.size()) return false;
    focusLine = l;
    const int32_t v = x - m.HalfStep - LeftMargin;
    if (v < 0) {
        focusNode = -1;
    } else {
        const auto last = static_cast<int32_t>(rtn[static_cast<std::size_t>(l)].Nodes.size()) - 1;
        focusNode = std::min(v / m.Step, last);
    }
    return true;
}

} // namespace gramarbor
