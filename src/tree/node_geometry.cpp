// Sizes derived from a node's font height.
#include "tree/node_geometry.h"

namespace gramarbor {

NodeBoxSize MeasureNodeBox(const TNodeAttr& attr, int64_t textWidth, std::size_t lineCount) {
    const int64_t n = static_cast<int64_t>(lineCount);
    NodeBoxSize size;
    size.TextWidth = textWidth;
    size.Margin = BoxMargin(attr.FontSize);
    size.Width = textWidth + 2 * size.Margin;
    size.Height = n * attr.FontSize + (n - 1) * attr.LineDist + 6;
    return size;
}

} // namespace gramarbor
