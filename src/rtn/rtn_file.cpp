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

// Where a file stopped making sense: which net, node and condition (1-based net and
// condition numbers, as the condition dialog counts rows; 0 = not reached).
struct TDamage {
    std::size_t Net = 0;
    bool NetNamed = false;
    std::size_t Node = 0;
    bool InNode = false;
    std::size_t Condition = 0;
};

// A net name as it may stand in a message: control characters shown as '?', a long
// name cut short.
std::string ShownName(const std::string& name) {
    constexpr std::size_t MaxShown = 40;
    std::string shown = name.substr(0, MaxShown);
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    if (name.size() > MaxShown) shown += "...";
    return shown;
}

std::string DamagedPart(const TDamage& damage, const TRTNLine& net) {
    std::string part = "net " + IntToStr(static_cast<long long>(damage.Net));
    if (damage.NetNamed) part += " (\"" + ShownName(net.Name) + "\")";
    if (damage.InNode)
        part += ", node " + ShownName(NodeName(net.Name, static_cast<long long>(damage.Node)));
    if (damage.Condition > 0)
        part += ", condition " + IntToStr(static_cast<long long>(damage.Condition));
    return part;
}

bool ReadNet(ByteReader& reader, TRTNLine& net, TDamage& damage) {
    int32_t storedNodes = 0;
    if (!reader.ReadString(net.Name)) return false;
    damage.NetNamed = true;
    if (!reader.ReadCount(storedNodes, static_cast<int32_t>(MaxRtnNodes - 1), MinNodeBytes))
        return false;
    NullSink quiet;
    if (!NewRtnLine(net.Name, static_cast<std::size_t>(storedNodes) + 1, net, quiet)) return false;
    for (int32_t k = 0; k < storedNodes; ++k) {
        damage.InNode = true;
        damage.Node = static_cast<std::size_t>(k);
        damage.Condition = 0;
        int32_t conditionCount = 0;
        if (!reader.ReadCount(conditionCount, static_cast<int32_t>(MaxConditions),
                              MinConditionBytes))
            return false;
        TRtnNodeConds& node = net.Nodes[static_cast<std::size_t>(k)];
        for (int32_t c = 0; c < conditionCount; ++c) {
            damage.Condition = static_cast<std::size_t>(c) + 1;
            TRTNNode cond;
            if (!reader.ReadString(cond.Text) || !reader.ReadU8(cond.Kind) ||
                !reader.ReadU16(cond.Src) || !reader.ReadU16(cond.Dst))
                return false;
            node.push_back(std::move(cond));
        }
    }
    TNetFault fault;
    if (NetIsWellFormed(net, &fault)) return true;
    damage.InNode = true;
    damage.Node = fault.Node;
    damage.Condition = fault.Condition;
    return false;
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

std::string MsgRtnDamaged(const std::string& fileName, const std::string& what) {
    const std::string file =
        fileName.empty() ? std::string("network file") : "network file \"" + fileName + "\"";
    return MsgRtnMemory + " Read error in " + file + ": " + what + ".";
}

bool ReadRtnBytes(std::string_view bytes, TRtn& rtn, TRtnFileOptions& options, MessageSink& sink,
                  const std::string& fileName) {
    ByteReader reader(bytes);
    TRtnFileOptions readOptions;
    if (!ReadRtnOptions(reader, readOptions)) {
        sink.Error(MsgRtnDamaged(fileName, "the option block is truncated"));
        return false;
    }
    int32_t netCount = 0;
    if (!reader.ReadI32(netCount) || netCount < 0 ||
        static_cast<std::size_t>(netCount) > reader.Remaining() / MinNetBytes) {
        sink.Error(MsgRtnDamaged(fileName, "the net count is truncated or damaged"));
        return false;
    }
    try {
        TRtn read;
        read.reserve(static_cast<std::size_t>(netCount));
        for (int32_t i = 0; i < netCount; ++i) {
            read.emplace_back();
            TDamage damage;
            damage.Net = static_cast<std::size_t>(i) + 1;
            if (!ReadNet(reader, read.back(), damage)) {
                sink.Error(MsgRtnDamaged(fileName, DamagedPart(damage, read.back()) +
                                                       " is truncated or damaged"));
                return false;
            }
        }
        // Bytes after the last net mean the counts do not describe the file.
        if (!reader.AtEnd()) {
            const std::size_t extra = reader.Remaining();
            sink.Error(MsgRtnDamaged(
                fileName, IntToStr(static_cast<long long>(extra)) +
                              (extra == 1 ? " byte follows" : " bytes follow") + " the last net"));
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
    return ReadRtnBytes(bytes, rtn, options, sink, path);
}

} // namespace gramarbor
