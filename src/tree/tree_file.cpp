// Tree files: a fixed header, the default font name and the nodes in pre-order.
#include "tree/tree.h"

#include <limits>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "base/file_io.h"
#include "tree/placeholder_chain.h"

namespace gramarbor {

namespace {

// Bytes of a node record without its strings: name length, attributes, box, X, Y,
// ID and child count.
constexpr std::size_t MinNodeBytes = 4 + 8 + 16 + 2 + 2 + 4 + 4;

void WriteAttr(ByteWriter& out, const TNodeAttr& attr) {
    out.WriteU16(attr.FontSize);
    out.WriteU16(attr.LineDist);
    out.WriteU8(attr.FontStyle);
    out.WriteU16(attr.Flags);
    out.WriteU8(0);
}

bool ReadAttr(ByteReader& in, TNodeAttr& attr) {
    uint8_t filler = 0;
    return in.ReadU16(attr.FontSize) && in.ReadU16(attr.LineDist) && in.ReadU8(attr.FontStyle) &&
           in.ReadU16(attr.Flags) && in.ReadU8(filler);
}

void WriteRect(ByteWriter& out, const TRect& r) {
    out.WriteI32(r.Left);
    out.WriteI32(r.Top);
    out.WriteI32(r.Right);
    out.WriteI32(r.Bottom);
}

bool ReadRect(ByteReader& in, TRect& r) {
    return in.ReadI32(r.Left) && in.ReadI32(r.Top) && in.ReadI32(r.Right) && in.ReadI32(r.Bottom);
}

// The optional block after the root's record: movement arrows, as pairs of record
// numbers (0-based, in file order) of source and target. Files without arrows end
// after the root's record, as they always did.
constexpr char ArrowBlockTag[4] = {'M', 'O', 'V', 'E'};

std::string DamagedFileText(const std::string& fileName) {
    return "Read error in tree file \"" + fileName + "\": the file is truncated or damaged.";
}

} // namespace

bool TTree::SaveNode(ByteWriter& out, const TNode* start) {
    if (!start) {
        ReportError(teUninitializedNode, "\"SaveNode\".");
        return false;
    }
    // A chain node is written as its placeholders, each the only child of the one
    // above; Level says which one.
    struct Item {
        const TNode* Node;
        int32_t Level;
    };
    std::vector<Item> pending{{start, 0}};
    while (!pending.empty()) {
        const auto [node, level] = pending.back();
        pending.pop_back();
        if (!node) {
            ReportError(teUninitializedNode, "\"SaveNode\".");
            return false;
        }
        out.WriteString(node->Name);
        WriteAttr(out, node->Attr);
        WriteRect(out, node->Rect);
        out.WriteI16(node->X);
        out.WriteI16(static_cast<int16_t>(node->Y + level));
        out.WriteI32(PlaceholderID(*node, level));
        if (WithAnnotations) {
            out.WriteI32(static_cast<int32_t>(node->Cont.size()));
            for (const std::string& line : node->Cont)
                out.WriteString(line);
        }
        if (out.Data().size() > MaxOutputBytes) {
            ReportLimit(TreeOutputTooLargeText(MaxOutputBytes));
            return false;
        }
        if (level + 1 < node->Levels) {
            out.WriteI32(1);
            pending.push_back({node, level + 1});
            continue;
        }
        out.WriteI32(static_cast<int32_t>(node->Children.size()));
        for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
            pending.push_back({it->get(), 0});
    }
    return true;
}

bool TTree::SaveTreeBytes(const TNode* node, uint8_t paramsFlag, std::string& bytes) {
    bytes.clear();
    try {
        ByteWriter out;
        out.WriteU8(paramsFlag);
        out.WriteBool(WithAnnotations);
        out.WriteI32(HalfHDist);
        out.WriteI32(VDist);
        out.WriteU8(Options);
        WriteAttr(out, NodeDefaults);
        WriteRect(out, GridExtent);
        out.WriteI32(NextID);
        out.WriteString(FontName);
        if (!SaveNode(out, node)) return false;
        const std::vector<TMoveArrow> arrows = MoveArrows(node);
        if (!arrows.empty()) {
            // Record numbers: a chain node is written as one record per level.
            std::unordered_map<const TNode*, int32_t> records;
            int64_t next = 0;
            std::vector<const TNode*> pending{node};
            while (!pending.empty()) {
                const TNode* n = pending.back();
                pending.pop_back();
                records.emplace(n, static_cast<int32_t>(std::min<int64_t>(next, INT32_MAX)));
                next += n->Levels;
                for (auto it = n->Children.rbegin(); it != n->Children.rend(); ++it)
                    pending.push_back(it->get());
            }
            for (char c : ArrowBlockTag)
                out.WriteU8(static_cast<uint8_t>(c));
            out.WriteI32(static_cast<int32_t>(arrows.size()));
            for (const TMoveArrow& arrow : arrows) {
                out.WriteI32(records[arrow.From]);
                out.WriteI32(records[arrow.To]);
            }
        }
        bytes = out.Take();
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(teNoMemory, "");
        return false;
    }
}

bool TTree::SaveTree(const std::string& fileName, const TNode* node, uint8_t paramsFlag) {
    if (!node) return true;
    std::string bytes;
    if (!SaveTreeBytes(node, paramsFlag, bytes)) return false;
    switch (AtomicSave(fileName, bytes)) {
    case FileError::None:
        return true;
    case FileError::CannotCreate:
        ReportError(teCreateFile, "");
        return false;
    default:
        ReportFileError("Write error in tree file \"" + fileName +
                        "\": the file could not be written; an existing file was kept.");
        return false;
    }
}

bool TTree::LoadNode(ByteReader& in, bool withAnnotations, TNodePtr& result, bool& tooDeep,
                     std::vector<TNode*>& records) {
    result.reset();
    records.clear();
    tooDeep = false;
    // Each open node, the number of its children still to read, and the level of
    // its last placeholder in the file.
    struct Frame {
        TNode* Node;
        int32_t Left;
        int32_t Level;
    };
    std::vector<Frame> open;
    for (;;) {
        TNodePtr node;
        if (!NewNode(node)) return false;
        int32_t childCount = 0;
        bool ok = in.ReadString(node->Name) && ReadAttr(in, node->Attr) &&
                  ReadRect(in, node->Rect) && in.ReadI16(node->X) && in.ReadI16(node->Y) &&
                  in.ReadI32(node->ID);
        if (ok && withAnnotations) {
            int32_t lineCount = 0;
            ok = in.ReadCount(lineCount, std::numeric_limits<int32_t>::max(), 4);
            for (int32_t i = 0; ok && i < lineCount; ++i) {
                std::string line;
                ok = in.ReadString(line);
                if (ok) node->Cont.push_back(std::move(line));
            }
        }
        // More than four children cannot come from a tree of this program: the file
        // is damaged.
        if (!(ok && in.ReadCount(childCount, 4, MinNodeBytes))) return false;
        const int32_t level = open.empty() ? 0 : open.back().Level + 1;
        if (childCount > 0 && level >= MaxGridPosition) {
            tooDeep = true;
            return false;
        }

        if (!open.empty() && open.back().Left == 1 && open.back().Node->Children.empty() &&
            ContinuesChain(*open.back().Node, *node)) {
            // The next placeholder of a chain: the chain node grows by a level.
            Frame& chain = open.back();
            records.push_back(chain.Node);
            ExtendChain(*chain.Node, *node);
            chain.Left = childCount;
            chain.Level = level;
        } else {
            TNode* raw = node.get();
            records.push_back(raw);
            if (open.empty())
                result = std::move(node);
            else {
                open.back().Node->Children.push_back(std::move(node));
                --open.back().Left;
            }
            if (childCount > 0) {
                open.push_back({raw, childCount, level});
                continue;
            }
        }
        while (!open.empty() && open.back().Left == 0)
            open.pop_back();
        if (open.empty()) return true;
    }
}

bool TTree::LoadArrowBlock(ByteReader& in, const std::vector<TNode*>& records,
                           std::string& problem) {
    std::string tag;
    if (!in.ReadBytes(4, tag) || tag != std::string(ArrowBlockTag, 4)) {
        problem = "the bytes after the tree are not a movement arrow block.";
        return false;
    }
    int32_t count = 0;
    if (!in.ReadI32(count) || count < 0 || in.Remaining() / 8 < static_cast<std::size_t>(count)) {
        problem = "the block announces " + std::to_string(count) + " arrows but holds " +
                  std::to_string(in.Remaining() / 8) + ".";
        return false;
    }
    const auto name = [](const TNode* node) { return "\"" + node->Name + "\""; };
    for (int32_t i = 0; i < count; ++i) {
        int32_t from = 0, to = 0;
        in.ReadI32(from);
        in.ReadI32(to);
        const std::string arrow = "arrow " + std::to_string(i + 1);
        const auto n = static_cast<int64_t>(records.size());
        if (from < 0 || from >= n || to < 0 || to >= n) {
            problem = arrow + " joins node records " + std::to_string(from) + " and " +
                      std::to_string(to) + ", but the tree has " + std::to_string(n) +
                      " records (0 to " + std::to_string(n - 1) + ").";
            return false;
        }
        TNode* source = records[from];
        TNode* target = records[to];
        if (source == target) {
            problem = arrow + " leads from node " + name(source) + " to itself.";
            return false;
        }
        if (source->MoveTarget != 0) {
            problem = "node " + name(source) + " has more than one arrow.";
            return false;
        }
        source->MoveTarget = target->Key;
    }
    if (!in.AtEnd()) {
        problem = "there are bytes after the last arrow.";
        return false;
    }
    return true;
}

bool TTree::LimitFontSizes(TNode* root, TNodeAttr* defaults) {
    bool limited = false;
    const auto limit = [&](TNodeAttr& attr) {
        if (attr.FontSize <= MaxNodeFontSize) return;
        attr.FontSize = MaxNodeFontSize;
        limited = true;
    };
    if (defaults) limit(*defaults);
    std::vector<TNode*> pending{root};
    while (!pending.empty()) {
        TNode* node = pending.back();
        pending.pop_back();
        limit(node->Attr);
        for (const TNodePtr& child : node->Children)
            pending.push_back(child.get());
    }
    return limited;
}

bool TTree::LoadTreeBytes(std::string_view bytes, const std::string& fileName) {
    const TTreeError errorBefore = ErrorCode;
    try {
        ByteReader in(bytes);
        uint8_t flag = 0;
        bool withAnnotations = false;
        int32_t halfHDist = 0, vDist = 0, nextID = 0;
        uint8_t options = 0;
        TNodeAttr defaults;
        TRect gridExtent;
        std::string fontName;
        TNodePtr root;
        bool tooDeep = false;
        std::vector<TNode*> records;
        const bool ok = in.ReadU8(flag) && in.ReadBool(withAnnotations) && in.ReadI32(halfHDist) &&
                        in.ReadI32(vDist) && in.ReadU8(options) && ReadAttr(in, defaults) &&
                        ReadRect(in, gridExtent) && in.ReadI32(nextID) && nextID >= 0 &&
                        in.ReadString(fontName) &&
                        LoadNode(in, withAnnotations, root, tooDeep, records) &&
                        (in.AtEnd() || in.Remaining() >= 8);
        if (ok && !in.AtEnd()) {
            std::string problem;
            if (!LoadArrowBlock(in, records, problem)) {
                ReportFileError("Tree file \"" + fileName +
                                "\" has damaged movement arrows: " + problem);
                return false;
            }
        }
        if (!ok) {
            if (tooDeep) {
                if (ErrorCode == teNone) ErrorCode = TreeLimitError;
                ReportFileError(TreeTooDeepText("The tree in tree file \"" + fileName + "\""));
            } else if (ErrorCode == errorBefore) {
                ReportFileError(DamagedFileText(fileName));
            }
            return false;
        }
        // Heights beyond the node dialogs' range come from no tree of this program,
        // and the largest ones would take the drawing minutes.
        if (LimitFontSizes(root.get(), flag != 0 ? &defaults : nullptr) && ShowErrors)
            Messages.Warning("Tree file \"" + fileName + "\" asks for font heights above " +
                             std::to_string(MaxNodeFontSize) + "; they were set to " +
                             std::to_string(MaxNodeFontSize) +
                             ", the largest height the node dialogs offer.");
        WithAnnotations = withAnnotations;
        if (flag != 0) {
            HalfHDist = halfHDist;
            VDist = vDist;
            Options = options;
            NodeDefaults = defaults;
            GridExtent = gridExtent;
            NextID = nextID;
            FontName = fontName;
        }
        Root = std::move(root);
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(teNoMemory, "");
        return false;
    }
}

bool TTree::LoadTree(const std::string& fileName) {
    std::string bytes;
    switch (ReadFileBytes(fileName, bytes)) {
    case FileError::None:
        return LoadTreeBytes(bytes, fileName);
    case FileError::CannotOpen:
        ReportError(teOpenFile, "\"" + fileName + "\".");
        return false;
    default:
        ReportFileError(DamagedFileText(fileName));
        return false;
    }
}

} // namespace gramarbor
