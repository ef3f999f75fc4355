// Tree layout: grid positions, plane trees with their chains, and the drawing extent.
#include "tree/tree.h"

#include <algorithm>
#include <new>
#include <utility>

#include "text/text_utils.h"
#include "tree/node_geometry.h"
#include "tree/placeholder_chain.h"

namespace gramarbor {

namespace {

const char* const GridLimitContext =
    " The tree does not fit into the layout grid of 32767 columns and levels.";

} // namespace

bool TTree::Positions() {
    if (!Root) {
        ReportError(teUninitializedNode, "\"Positions\".");
        return false;
    }
    try {
        // Frame of one node being placed: its first column, level, and the width
        // of the children placed so far. A chain node's children stand below its
        // last level.
        struct Frame {
            TNode* Node;
            int32_t X0;
            int32_t Level;
            int32_t Width;
            std::size_t Next;
        };
        if (Root->Levels - 1 > MaxGridPosition) {
            ReportError(teDraw, GridLimitContext);
            return false;
        }
        std::vector<Frame> stack{{Root.get(), 0, 0, 0, 0}};
        int32_t lastWidth = 0;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            TNode* node = frame.Node;
            if (frame.Next < node->Children.size()) {
                TNode* child = node->Children[frame.Next].get();
                if (!child) {
                    ReportError(teUninitializedNode, "\"Positions\".");
                    return false;
                }
                ++frame.Next;
                const int64_t childLevel = int64_t(frame.Level) + node->Levels;
                if (childLevel + child->Levels - 1 > MaxGridPosition ||
                    frame.X0 + frame.Width > MaxGridPosition) {
                    ReportError(teDraw, GridLimitContext);
                    return false;
                }
                stack.push_back(
                    {child, frame.X0 + frame.Width, static_cast<int32_t>(childLevel), 0, 0});
                continue;
            }
            // All children placed.
            int32_t width = node->Children.empty() ? 0 : frame.Width - 2;
            const int32_t x = frame.X0 + width / 2;
            if (x > MaxGridPosition) {
                ReportError(teDraw, GridLimitContext);
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
        ReportError(teNoMemory, "");
        return false;
    }
}

bool TTree::SplitLastPlaceholder(TNode& chain) {
    TNodePtr last;
    if (!NewNode(last)) return false;
    last->Name = chain.Name;
    last->Attr = chain.Attr;
    last->Cont = chain.Cont;
    last->Rect = chain.Rect;
    last->X = chain.X;
    last->Y = static_cast<int16_t>(chain.Y + chain.Levels - 1);
    last->ID = PlaceholderID(chain, chain.Levels - 1);
    last->Children = std::move(chain.Children);
    chain.Children.clear();
    chain.Children.push_back(std::move(last));
    --chain.Levels;
    if (chain.Levels == 1) chain.SerialIDs = false;
    return true;
}

bool TTree::PlaneTree(TNode* start, bool withChains) {
    static const char* const Context = "\"PlaneTree\" of \"Display\" of \"Draw\"/\"Show\".";
    if (!start) {
        ReportError(teUninitializedNode, Context);
        return false;
    }
    try {
        int32_t maxLevel = 0;
        // Nodes with the depth of their last level below the start node.
        std::vector<std::pair<TNode*, int32_t>> parents;
        std::vector<std::pair<TNode*, int32_t>> pending{{start, start->Levels - 1}};
        while (!pending.empty()) {
            const auto [node, depth] = pending.back();
            pending.pop_back();
            bool listed = false;
            for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it) {
                TNode* child = it->get();
                if (!child) {
                    ReportError(teUninitializedNode, Context);
                    return false;
                }
                if (child->Children.empty()) {
                    // A leaf chain ends in its last placeholder.
                    maxLevel = std::max<int32_t>(maxLevel, child->Y + child->Levels - 1);
                    if (!listed) parents.push_back({node, depth});
                    listed = true;
                } else {
                    pending.push_back({child, depth + child->Levels});
                }
            }
        }
        for (const auto& [parent, parentDepth] : parents) {
            for (TNodePtr& slot : parent->Children) {
                if (!slot->Children.empty() || slot->Y + slot->Levels - 1 >= maxLevel) continue;
                // Of a leaf chain only the last placeholder moves down.
                TNode* holder = parent;
                int32_t holderDepth = parentDepth;
                TNodePtr* leafSlot = &slot;
                if (slot->Levels > 1) {
                    if (!SplitLastPlaceholder(*slot)) return false;
                    holder = slot.get();
                    holderDepth = parentDepth + holder->Levels;
                    leafSlot = &holder->Children.front();
                }
                TNode* leaf = leafSlot->get();
                const int32_t levels = maxLevel - leaf->Y;
                if (withChains) {
                    // Stored levels (of a tree drawn without a new layout) may be far
                    // apart; the chain must still fit into the grid.
                    if (int64_t(holderDepth) + 1 + levels > MaxGridPosition) {
                        ReportError(teDraw, GridLimitContext);
                        return false;
                    }
                    // One chain node for all levels the leaf moves down.
                    TNodePtr chain = NewChainNode();
                    if (!chain) return false;
                    chain->Levels = levels;
                    chain->X = leaf->X;
                    chain->Y = leaf->Y;
                    chain->Children.push_back(std::move(*leafSlot));
                    *leafSlot = std::move(chain);
                }
                leaf->Y = static_cast<int16_t>(maxLevel);
            }
        }
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(teNoMemory, "");
        return false;
    }
}

bool TTree::RemoveChainsAt(TNodePtr& slot) {
    while (slot && slot->Name == "$") {
        // Every placeholder of a chain but the last has exactly one child.
        if (slot->Levels > 1) {
            TNode& chain = *slot;
            chain.ID = PlaceholderID(chain, chain.Levels - 1);
            chain.Y = static_cast<int16_t>(chain.Y + chain.Levels - 1);
            chain.Levels = 1;
            chain.SerialIDs = false;
        }
        if (slot->Children.size() != 1) break;
        TNodePtr chain = std::move(slot);
        slot = std::move(chain->Children.front());
        chain->Children.clear();
        FreeNode(std::move(chain));
    }
    return true;
}

bool TTree::RemovePlaneChains(TNode* start) {
    if (!start) return false;
    // The start node stays. Of a chain there its first placeholder stays, and its
    // last one too unless that has exactly one child.
    if (start->Levels > 1) {
        if (start->Children.size() != 1 && !SplitLastPlaceholder(*start)) return false;
        start->Levels = 1;
        start->SerialIDs = false;
    }
    std::vector<TNode*> pending{start};
    while (!pending.empty()) {
        TNode* node = pending.back();
        pending.pop_back();
        for (TNodePtr& slot : node->Children)
            RemoveChainsAt(slot);
        for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
            if (*it) pending.push_back(it->get());
    }
    return true;
}

bool TTree::Extension(Canvas& canvas, const TNode* start, TRect& extent, TRect& gridExtent) {
    if (!start) {
        ReportError(teNotInitialized, "");
        return false;
    }
    try {
        // Everything in 64 bits: distances, levels, line counts and widths from a
        // file can exceed 32 bits together; the result is checked once at the end.
        int64_t minX = 0, maxX = 0, minY = 0, maxY = 0;
        gridExtent = {-1, -1, -1, -1};
        std::vector<std::string> lines;
        std::vector<const TNode*> pending{start};
        while (!pending.empty()) {
            const TNode* node = pending.back();
            pending.pop_back();
            if (!node) {
                ReportError(teUninitializedNode, "\"Extension\".");
                return false;
            }
            const int64_t x = int64_t(node->X) * ColumnWidth();
            // The placeholders of a chain differ only in their level.
            const int64_t lastLevel = int64_t(node->Y) + node->Levels - 1;
            const int64_t yFirst = int64_t(node->Y) * VDist;
            const int64_t yLast = lastLevel * VDist;
            const int64_t y = std::max(yFirst, yLast);
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
            minY = std::min({minY, std::min(yFirst, yLast), bottom});
            maxY = std::max(maxY, bottom);
            gridExtent.Right = std::max<int32_t>(gridExtent.Right, node->X);
            gridExtent.Bottom =
                static_cast<int32_t>(std::max<int64_t>(gridExtent.Bottom, lastLevel));
            for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
                pending.push_back(it->get());
        }
        if (minX < -MaxDrawingCoordinate || maxX > MaxDrawingCoordinate ||
            minY < -MaxDrawingCoordinate || maxY > MaxDrawingCoordinate) {
            ReportError(teDraw, TooLargeToDrawContext);
            return false;
        }
        extent = {static_cast<int32_t>(minX), 0, static_cast<int32_t>(maxX),
                  static_cast<int32_t>(maxY)};
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(teNoMemory, "");
        return false;
    }
}

} // namespace gramarbor
