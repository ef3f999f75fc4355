// Tree files: a fixed header, the default font name and the nodes in pre-order.
#include "tree/tree.h"

#include <limits>
#include <new>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "base/file_io.h"

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

std::string DamagedFileText(const std::string& fileName) {
    return "Read error in tree file \"" + fileName + "\": the file is truncated or damaged.";
}

} // namespace

bool TTree::SaveNode(ByteWriter& out, const TNode* start) {
    if (!start) {
        ReportError(9, "\"SaveNode\".");
        return false;
    }
    std::vector<const TNode*> pending{start};
    while (!pending.empty()) {
        const TNode* node = pending.back();
        pending.pop_back();
        if (!node) {
            ReportError(9, "\"SaveNode\".");
            return false;
        }
        out.WriteString(node->Name);
        WriteAttr(out, node->Attr);
        WriteRect(out, node->Rect);
        out.WriteI16(node->X);
        out.WriteI16(node->Y);
        out.WriteI32(node->ID);
        if (WithAnnotations) {
            out.WriteI32(static_cast<int32_t>(node->Cont.size()));
            for (const std::string& line : node->Cont)
                out.WriteString(line);
        }
        out.WriteI32(static_cast<int32_t>(node->Children.size()));
        for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
            pending.push_back(it->get());
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
        bytes = out.Take();
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(1, "");
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
        ReportError(26, "");
        return false;
    default:
        ReportFileError("Write error in tree file \"" + fileName +
                        "\": the file could not be written; an existing file was kept.");
        return false;
    }
}

bool TTree::LoadNode(ByteReader& in, bool withAnnotations, TNodePtr& result) {
    result.reset();
    // Each open node and the number of its children still to read.
    struct Frame {
        TNode* Node;
        int32_t Left;
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
        // More than four children or a nesting beyond the grid cannot come from a
        // tree of this program: the file is damaged.
        ok = ok && in.ReadCount(childCount, 4, MinNodeBytes) &&
             !(childCount > 0 && open.size() >= static_cast<std::size_t>(MaxGridPosition));
        if (!ok) return false;

        TNode* raw = node.get();
        if (open.empty())
            result = std::move(node);
        else {
            open.back().Node->Children.push_back(std::move(node));
            --open.back().Left;
        }
        if (childCount > 0) {
            open.push_back({raw, childCount});
            continue;
        }
        while (!open.empty() && open.back().Left == 0)
            open.pop_back();
        if (open.empty()) return true;
    }
}

bool TTree::LoadTreeBytes(std::string_view bytes, const std::string& fileName) {
    const int32_t errorBefore = ErrorCode;
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
        const bool ok = in.ReadU8(flag) && in.ReadBool(withAnnotations) && in.ReadI32(halfHDist) &&
                        in.ReadI32(vDist) && in.ReadU8(options) && ReadAttr(in, defaults) &&
                        ReadRect(in, gridExtent) && in.ReadI32(nextID) && nextID >= 0 &&
                        in.ReadString(fontName) && LoadNode(in, withAnnotations, root) &&
                        in.AtEnd(); // bytes after the tree: the file is damaged
        if (!ok) {
            if (ErrorCode == errorBefore) ReportFileError(DamagedFileText(fileName));
            return false;
        }
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
        ReportError(1, "");
        return false;
    }
}

bool TTree::LoadTree(const std::string& fileName) {
    std::string bytes;
    switch (ReadFileBytes(fileName, bytes)) {
    case FileError::None:
        return LoadTreeBytes(bytes, fileName);
    case FileError::CannotOpen:
        ReportError(27, "\"" + fileName + "\".");
        return false;
    default:
        ReportFileError(DamagedFileText(fileName));
        return false;
    }
}

} // namespace gramarbor
