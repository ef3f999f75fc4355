// The .RTN file: display options, then the nets with their conditions (the pop node
// of each net is not stored but rebuilt when the file is read).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "base/message_sink.h"
#include "rtn/rtn_model.h"

namespace gramarbor {

inline const std::string MsgNoRtnToSave = "There is no valid RTN to save.";
inline const std::string MsgRtnCannotCreate =
    "Couldn`t create file. Maybe your disk is write-protected.";
inline const std::string MsgRtnWrongExtension = "Wrong file-type: extension \".RTN\" expected.";
inline const std::string MsgRtnCannotOpen = "Couldn`t open file.";
inline const std::string MsgRtnLoadLowMemory = "Couldn`t load RTN because of low memory.";

// Range of the node-size and node-distance settings.
inline constexpr int32_t MinRtnOption = 0;
inline constexpr int32_t MaxRtnOption = 16;

// The display options stored with every network.
struct TRtnFileOptions {
    bool LinesAllowed = true;
    int32_t NodeSize = 0;
    int32_t NodeDist = 0;
    bool operator==(const TRtnFileOptions&) const = default;
};

void WriteRtnOptions(ByteWriter& writer, const TRtnFileOptions& options);
// Reads the option block; node size and distance are clamped to 0..16.
bool ReadRtnOptions(ByteReader& reader, TRtnFileOptions& options);

// The complete file contents.
std::string WriteRtnBytes(const TRtn& rtn, const TRtnFileOptions& options);

// The message for a damaged file: the memory message (which is what such a file has
// always reported), then the file and the part of it that is damaged.
std::string MsgRtnDamaged(const std::string& fileName, const std::string& what);

// Reads a complete file. Only a file read to its end whose every net keeps the
// network's invariants is accepted; otherwise the message, naming fileName and the
// damaged part, has been reported and rtn and options are unchanged.
bool ReadRtnBytes(std::string_view bytes, TRtn& rtn, TRtnFileOptions& options, MessageSink& sink,
                  const std::string& fileName = "");

// True when the name's extension is ".RTN" in any letter case.
bool HasRtnExtension(const std::string& path);

// Writes the file atomically: an existing file is replaced only by a complete one.
bool SaveRtnFile(const std::string& path, const TRtn& rtn, const TRtnFileOptions& options,
                 MessageSink& sink);
// Checks the extension, reads and decodes the file.
bool LoadRtnFile(const std::string& path, TRtn& rtn, TRtnFileOptions& options, MessageSink& sink);

} // namespace gramarbor
