// Reading and writing .RTN files.
#include "rtn/rtn_file.h"

#include <algorithm>
#include <new>

#include "base/file_io.h"
#include "text/text_utils.h"

namespace gramarbor {

namespace {

// Smallest records: a net (name length, node count), a node (condition count) and a
// condition (text length, kind, source, destination).
constexpr std::size_t MinNetBytes = 8;
constexpr std::size_t MinNodeBytes = 4;
constexpr std::size_t MinConditionBytes = 9;

bool ReadNet(ByteReader& reader, TRTNLine& net) {
    int32_t storedNodes = 0;
    if (!reader.ReadString(net.Name)) return false;
    if (!reader.ReadCount(storedNodes, static_cast<int32_t>(MaxRtnNodes - 1), MinNodeBytes))
        return false;
    NullSink quiet;
    if (!NewRtnLine(net.Name, static_cast<std::size_t>(storedNodes) + 1, net, quiet)) return false;
    for (int32_t k = 0; k < storedNodes; ++k) {
        int32_t conditionCount = 0;
        if (!reader.ReadCount(conditionCount, static_cast<int32_t>(MaxConditions),
                              MinConditionBytes))
            return false;
        TRtnNodeConds& node = net.Nodes[static_cast<std::size_t>(k)];
        for (int32_t c = 0; c < conditionCount; ++c) {
            TRTNNode cond;
            if (!reader.ReadString(cond.Text) || !reader.ReadU8(cond.Kind) ||
                !reader.ReadU16(cond.Src) || !reader.ReadU16(cond.Dst))
                return false;
            node.push_back(std::move(cond));
        }
    }
    return NetIsWellFormed(net);
}

} // namespace

void WriteRtnOptions(ByteWriter& writer, const TRtnFileOptions& options) {
    writer.WriteBool(options.LinesAllowed);
    writer.WriteI32(options.NodeSize);
    writer.WriteI32(options.NodeDist);
}

bool ReadRtnOptions(ByteReader& reader, TRtnFileOptions& options) {
    uint8_t lines = 0;
    int32_t size = 0;
    int32_t dist = 0;
    if (!reader.ReadU8(lines) || !reader.ReadI32(size) || !reader.ReadI32(dist)) return false;
    options.LinesAllowed = lines != 0;
    options.NodeSize = std::clamp(size, MinRtnOption, MaxRtnOption);
    options.NodeDist = std::clamp(dist, MinRtnOption, MaxRtnOption);
    return true;
}

std::string WriteRtnBytes(const TRtn& rtn, const TRtnFileOptions& options) {
    ByteWriter writer;
    WriteRtnOptions(writer, options);
    writer.WriteI32(static_cast<int32_t>(rtn.size()));
    for (const TRTNLine& net : rtn) {
        writer.WriteString(net.Name);
        const std::size_t stored = net.Nodes.empty() ? 0 : net.Nodes.size() - 1;
        writer.WriteI32(static_cast<int32_t>(stored));
        for (std::size_t k = 0; k < stored; ++k) {
            writer.WriteI32(static_cast<int32_t>(net.Nodes[k].size()));
            for (const TRTNNode& cond : net.Nodes[k]) {
                writer.WriteString(cond.Text);
                writer.WriteU8(cond.Kind);
                writer.WriteU16(cond.Src);
                writer.WriteU16(cond.Dst);
            }
        }
    }
    return writer.Take();
}

bool ReadRtnBytes(std::string_view bytes, TRtn& rtn, TRtnFileOptions& options, MessageSink& sink) {
    ByteReader reader(bytes);
    TRtnFileOptions readOptions;
    int32_t netCount = 0;
    if (!ReadRtnOptions(reader, readOptions) || !reader.ReadI32(netCount)) {
        sink.Error(MsgRtnCannotOpen);
        return false;
    }
    try {
        TRtn read;
        if (netCount < 0 || static_cast<std::size_t>(netCount) > reader.Remaining() / MinNetBytes) {
            sink.Error(MsgRtnMemory);
            return false;
        }
        read.reserve(static_cast<std::size_t>(netCount));
        for (int32_t i = 0; i < netCount; ++i) {
            read.emplace_back();
            if (!ReadNet(reader, read.back())) {
                sink.Error(MsgRtnMemory);
                return false;
            }
        }
        // Bytes after the last net mean the file is not what it claims to be.
        if (!reader.AtEnd()) {
            sink.Error(MsgRtnMemory);
            return false;
        }
        // Bytes after the last net mean the counts do not describe the file.
        if (!reader.AtEnd()) {
            sink.Error(MsgRtnMemory);
            return false;
        }
        rtn = std::move(read);
        options = readOptions;
        return true;
    } catch (const std::bad_alloc&) {
        sink.Error(MsgRtnLoadLowMemory);
        return false;
    }
}

bool HasRtnExtension(const std::string& path) {
    return UpperCaseGerman(FileExtension(path)) == ".RTN";
}

bool SaveRtnFile(const std::string& path, const TRtn& rtn, const TRtnFileOptions& options,
                 MessageSink& sink) {
    try {
        if (AtomicSave(path, WriteRtnBytes(rtn, options)) == FileError::None) return true;
    } catch (const std::bad_alloc&) {
        sink.Error(MsgRtnMemory);
        return false;
    }
    sink.Error(MsgRtnCannotCreate);
    return false;
}

bool LoadRtnFile(const std::string& path, TRtn& rtn, TRtnFileOptions& options, MessageSink& sink) {
    if (!HasRtnExtension(path)) {
        sink.Error(MsgRtnWrongExtension);
        return false;
    }
    std::string bytes;
    try {
        if (ReadFileBytes(path, bytes) != FileError::None) {
            sink.Error(MsgRtnCannotOpen);
            return false;
        }
    } catch (const std::bad_alloc&) {
        sink.Error(MsgRtnLoadLowMemory);
        return false;
    }
    return ReadRtnBytes(bytes, rtn, options, sink);
}

} // namespace gramarbor
