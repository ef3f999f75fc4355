// Tree layout: grid positions, plane trees with their chains, and the drawing extent.
#include "tree/tree.h"

#include <algorithm>
#include <new>
#include <utility>

#include "text/text_utils.h"
#include "tree/node_geometry.h"

namespace gramarbor {

namespace {

const char* const GridLimitContext =
    " The tree does not fit into the layout grid of 32767 columns and levels.";

} // namespace

bool TTree::Positions() {
    if (!Root) {
        ReportError(9, "\"Positions\".");
        return false;
    }
    try {
        // Frame of one node being placed: its first column, level, and the width
        // of the children placed so far.
        struct Frame {
            TNode* Node;
            int32_t X0;
            int32_t Level;
            int32_t Width;
            std::size_t Next;
        };
        std::vector<Frame> stack{{Root.get(), 0, 0, 0, 0}};
        int32_t lastWidth = 0;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            TNode* node = frame.Node;
            if (frame.Next < node->Children.size()) {
                TNode* child = node->Children[frame.Next].get();
                if (!child) {
                    ReportError(9, "\"Positions\".");
                    return false;
                }
                ++frame.Next;
                if (frame.Level >= MaxGridPosition || frame.X0 + frame.Width > MaxGridPosition) {
                    ReportError(24, GridLimitContext);
                    return false;
                }
                stack.push_back({child, frame.X0 + frame.Width, frame.Level + 1, 0, 0});
                continue;
            }
            // All children placed.
            int32_t width = node->Children.empty() ? 0 : frame.Width - 2;
            const int32_t x = frame.X0 + width / 2;
            if (x > MaxGridPosition) {
                ReportError(24, GridLimitContext);
                return false;
            }
            node->X = static_cast<int16_t>(x);
            node->Y = static_cast<int16_t>(frame.Level);
            lastWidth = width;
            stack.pop_back();
            if (!stack.empty()) {
                Frame& parent = stack.back();
                if (lastWidth > 0) parent.Width += lastWidth;
                parent.Width += 2;
            }
        }
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(1, "");
        return false;
    }
}

bool TTree::PlaneTree(TNode* start, bool withChains) {
    static const char* const Context = "\"PlaneTree\" of \"Display\" of \"Draw\"/\"Show\".";
    if (!start) {
        ReportError(9, Context);
        return false;
    }
    try {
        int32_t maxLevel = 0;
        // Nodes with their depth below the start node.
        std::vector<std::pair<TNode*, int32_t>> parents;
        std::vector<std::pair<TNode*, int32_t>> pending{{start, 0}};
        while (!pending.empty()) {
            const auto [node, depth] = pending.back();
            pending.pop_back();
            bool listed = false;
            for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it) {
                TNode* child = it->get();
                if (!child) {
                    ReportError(9, Context);
                    return false;
                }
                if (child->Children.empty()) {
                    maxLevel = std::max<int32_t>(maxLevel, child->Y);
                    if (!listed) parents.push_back({node, depth});
                    listed = true;
                } else {
                    pending.push_back({child, depth + 1});
                }
            }
        }
        for (const auto& [parent, depth] : parents) {
            for (TNodePtr& slot : parent->Children) {
                TNode* leaf = slot.get();
                if (!leaf->Children.empty() || leaf->Y >= maxLevel) continue;
                const int32_t levels = maxLevel - leaf->Y;
                if (withChains) {
                    // Stored levels (of a tree drawn without a new layout) may be far
                    // apart; the chain must still fit into the grid.
                    if (depth + 1 + levels > MaxGridPosition) {
                        ReportError(24, GridLimitContext);
                        return false;
                    }
                    TNodePtr below = std::move(slot);
                    for (int32_t k = levels - 1; k >= 0; --k) {
                        TNodePtr chain = NewChainNode();
                        if (!chain) {
                            slot = std::move(below);
                            return false;
                        }
                        chain->X = leaf->X;
                        chain->Y = static_cast<int16_t>(leaf->Y + k);
                        chain->Children.push_back(std::move(below));
                        below = std::move(chain);
                    }
                    slot = std::move(below);
                }
                leaf->Y = static_cast<int16_t>(maxLevel);
            }
        }
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(1, "");
        return false;
    }
}

bool TTree::RemovePlaneChains(TNode* start) {
    if (!start) return false;
    std::vector<TNode*> pending{start};
    while (!pending.empty()) {
        TNode* node = pending.back();
        pending.pop_back();
        for (TNodePtr& slot : node->Children) {
            while (slot && slot->Name == "$" && slot->Children.size() == 1) {
                TNodePtr chain = std::move(slot);
                slot = std::move(chain->Children.front());
                chain->Children.clear();
                FreeNode(std::move(chain));
            }
        }
        for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
            if (*it) pending.push_back(it->get());
    }
    return true;
}

bool TTree::Extension(Canvas& canvas, const TNode* start, TRect& extent, TRect& gridExtent) {
    if (!start) {
        ReportError(8, "");
        return false;
    }
    try {
        int64_t minX = 0, maxX = 0, maxY = 0;
        gridExtent = {-1, -1, -1, -1};
        std::vector<std::string> lines;
        std::vector<const TNode*> pending{start};
        while (!pending.empty()) {
            const TNode* node = pending.back();
            pending.pop_back();
            if (!node) {
                ReportError(9, "\"Extension\".");
                return false;
            }
            const int64_t x = int64_t(node->X) * HalfHDist;
            const int64_t y = int64_t(node->Y) * VDist;
            SplitString(node->Name, "|", &lines);
            const NodeBoxSize size =
                MeasureNodeBox(node->Attr, LinesWidth(canvas, node->Attr, lines), lines.size());
            int64_t left = x - size.TextWidth / 2 - size.Margin;
            int64_t right = left + size.Width;
            int64_t bottom = y + size.Height;
            if (WithAnnotations && !node->Cont.empty()) {
                const NodeBoxSize anno = MeasureNodeBox(
                    node->Attr, LinesWidth(canvas, node->Attr, node->Cont), node->Cont.size());
                const int64_t annoLeft = x - anno.TextWidth / 2 - size.Margin;
                left = std::min(left, annoLeft);
                right = std::max(right, annoLeft + anno.Width);
                bottom = std::max(bottom, bottom + 4 + anno.Height);
            }
            minX = std::min(minX, left);
            maxX = std::max(maxX, right);
            maxY = std::max(maxY, bottom);
            gridExtent.Right = std::max<int32_t>(gridExtent.Right, node->X);
            gridExtent.Bottom = std::max<int32_t>(gridExtent.Bottom, node->Y);
            for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
                pending.push_back(it->get());
        }
        if (minX < -MaxDrawingCoordinate || maxX > MaxDrawingCoordinate ||
            maxY > MaxDrawingCoordinate) {
            ReportError(24, " The tree is too large to be drawn.");
            return false;
        }
        extent = {static_cast<int32_t>(minX), 0, static_cast<int32_t>(maxX),
                  static_cast<int32_t>(maxY)};
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(1, "");
        return false;
    }
}

} // namespace gramarbor
