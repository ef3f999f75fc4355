// Tidy layout: every node's box (with its annotation box) keeps at least the
// horizontal distance from its neighbours on the same level, sibling subtrees are
// packed as closely as that allows, and each parent stands centred over its first
// and last child. Positions stay grid columns (of a quarter of the distance), so
// pushes, files and hit tests work as with the plain layout.
#include "tree/tree.h"

#include <algorithm>
#include <new>
#include <utility>

#include "text/text_utils.h"
#include "tree/node_geometry.h"
#include "tree/tree_contour.h"

namespace gramarbor {

namespace {

const char* const GridLimitContext =
    " The tree does not fit into the layout grid of 32767 columns and levels.";

int64_t CeilDiv(int64_t a, int64_t b) {
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

// Horizontal reach of a node's boxes from its centre line.
struct Reach {
    int64_t Left = 0;
    int64_t Right = 0;
};

} // namespace

bool TTree::TidyPositions(Canvas& canvas) {
    if (!Root) {
        ReportError(teUninitializedNode, "\"Positions\".");
        return false;
    }
    // Without a distance there is nothing to keep apart.
    if (HalfHDist <= 0) return Positions();
    try {
        const int64_t unit = ColumnWidth();
        const int64_t gap = 2 * int64_t(HalfHDist);
        std::vector<std::string> lines;
        const auto reachOf = [&](const TNode& node) {
            SplitString(node.Name, "|", &lines);
            const NodeBoxSize size =
                MeasureNodeBox(node.Attr, LinesWidth(canvas, node.Attr, lines), lines.size());
            Reach reach{-(size.TextWidth / 2) - size.Margin, 0};
            reach.Right = reach.Left + size.Width;
            if (WithAnnotations && !node.Cont.empty()) {
                const NodeBoxSize anno = MeasureNodeBox(
                    node.Attr, LinesWidth(canvas, node.Attr, node.Cont), node.Cont.size());
                const int64_t annoLeft = -(anno.TextWidth / 2) - size.Margin;
                reach.Left = std::min(reach.Left, annoLeft);
                reach.Right = std::max(reach.Right, annoLeft + anno.Width);
            }
            return reach;
        };

        // A plane tree moves its leaves down to the lowest level: their boxes are
        // packed there, and the levels above them are kept free for the chain (or
        // the line) that reaches them.
        const bool plane = (Options & toPlane) != 0;
        const bool chains = (Options & toPlaneOK) != 0;
        int64_t maxLevel = 0;
        if (Root->Levels - 1 > MaxGridPosition) {
            ReportError(teDraw, GridLimitContext);
            return false;
        }
        {
            std::vector<std::pair<const TNode*, int64_t>> pending{{Root.get(), 0}};
            while (!pending.empty()) {
                const auto [node, level] = pending.back();
                pending.pop_back();
                const int64_t last = level + node->Levels - 1;
                if (last > MaxGridPosition) {
                    ReportError(teDraw, GridLimitContext);
                    return false;
                }
                if (node->Children.empty()) maxLevel = std::max(maxLevel, last);
                for (const TNodePtr& child : node->Children) {
                    if (!child) {
                        ReportError(teUninitializedNode, "\"Positions\".");
                        return false;
                    }
                    pending.push_back({child.get(), last + 1});
                }
            }
        }
        Reach chainReach;
        if (plane && chains) {
            const std::vector<std::string> dollar{"$"};
            const NodeBoxSize size =
                MeasureNodeBox(TNodeAttr{}, LinesWidth(canvas, TNodeAttr{}, dollar), 1);
            chainReach = {-(size.TextWidth / 2) - size.Margin, 0};
            chainReach.Right = chainReach.Left + size.Width;
        }

        // Post-order: each node's children are packed left to right, each as close
        // to the ones before as the contours allow; the last one moves one column
        // further when that is needed to centre the parent on a column.
        struct Frame {
            TNode* Node;
            int64_t Level;
            std::size_t Index; // pre-order number
            std::size_t Next = 0;
            TContour Placed;
            std::vector<std::pair<std::size_t, int64_t>> ChildColumns; // index, column
        };
        std::vector<int64_t> offsets; // column of each node relative to its parent
        std::vector<Frame> stack;
        const auto enter = [&](TNode* node, int64_t level) {
            stack.push_back({node, level, offsets.size(), 0, {}, {}});
            offsets.push_back(0);
        };
        enter(Root.get(), 0);
        while (!stack.empty()) {
            Frame& frame = stack.back();
            TNode* node = frame.Node;
            if (frame.Next < node->Children.size()) {
                TNode* child = node->Children[frame.Next++].get();
                enter(child, frame.Level + node->Levels);
                continue;
            }
            const Reach own = reachOf(*node);
            TContour contour = std::move(frame.Placed);
            if (!frame.ChildColumns.empty()) {
                const int64_t centre = frame.ChildColumns.back().second / 2;
                for (const auto& [index, column] : frame.ChildColumns)
                    offsets[index] = column - centre;
                contour.Shift(-centre * unit);
                contour.PushTop(node->Levels, own.Left, own.Right);
            } else if (plane && frame.Level + node->Levels - 1 < maxLevel) {
                const int64_t above = maxLevel - frame.Level;
                contour.PushTop(1, own.Left, own.Right);
                if (chains)
                    contour.PushTop(static_cast<int32_t>(above), chainReach.Left, chainReach.Right);
                else
                    contour.PushTop(static_cast<int32_t>(above), own.Left, own.Right);
            } else {
                contour.PushTop(node->Levels, own.Left, own.Right);
            }
            const std::size_t index = frame.Index;
            stack.pop_back();
            if (stack.empty()) break;
            Frame& parent = stack.back();
            int64_t column = 0;
            if (!parent.ChildColumns.empty()) {
                int64_t shift = 0;
                const int64_t last = parent.ChildColumns.back().second;
                column = last + 1;
                if (RequiredShift(parent.Placed.Right, contour.Left, gap, shift))
                    column = std::max(column, CeilDiv(shift, unit));
                if (parent.Next == parent.Node->Children.size() && column % 2 != 0) ++column;
                if (column > 2 * int64_t(MaxGridPosition)) {
                    ReportError(teDraw, GridLimitContext);
                    return false;
                }
                contour.Shift(column * unit);
                parent.Placed = MergeContours(std::move(parent.Placed), std::move(contour));
            } else {
                parent.Placed = std::move(contour);
            }
            parent.ChildColumns.push_back({index, column});
        }

        // Pre-order, in the same order as above: absolute columns, then the leftmost
        // node moves to column 0.
        std::vector<int64_t> columns(offsets.size());
        int64_t minColumn = 0, maxColumn = 0;
        {
            std::size_t next = 0;
            std::vector<std::pair<const TNode*, int64_t>> pending{{Root.get(), 0}};
            while (!pending.empty()) {
                const auto [node, parentColumn] = pending.back();
                pending.pop_back();
                const std::size_t index = next++;
                columns[index] = parentColumn + offsets[index];
                minColumn = std::min(minColumn, columns[index]);
                maxColumn = std::max(maxColumn, columns[index]);
                for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
                    pending.push_back({it->get(), columns[index]});
            }
        }
        if (maxColumn - minColumn > MaxGridPosition) {
            ReportError(teDraw, GridLimitContext);
            return false;
        }
        std::size_t next = 0;
        std::vector<std::pair<TNode*, int64_t>> pending{{Root.get(), 0}};
        while (!pending.empty()) {
            const auto [node, level] = pending.back();
            pending.pop_back();
            node->X = static_cast<int16_t>(columns[next++] - minColumn);
            node->Y = static_cast<int16_t>(level);
            for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
                pending.push_back({it->get(), level + node->Levels});
        }
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(teNoMemory, "");
        return false;
    }
}

} // namespace gramarbor
