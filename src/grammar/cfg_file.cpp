// Reading and writing grammar text files.
#include "grammar/cfg_file.h"

#include <new>

#include "base/file_io.h"
#include "grammar/grammar_messages.h"
#include "text/cp1252.h"
#include "text/text_utils.h"

namespace gramarbor {

namespace {
// A grammar never comes near this; it keeps a wrong choice of file from eating memory.
constexpr std::size_t MaxCfgFileBytes = std::size_t(256) << 20;
} // namespace

bool HasCfgExtension(const std::string& path) {
    return UpperCaseGerman(FileExtension(path)).substr(0, 4) == ".CFG";
}

bool ReadCfgLines(const std::string& path, std::vector<std::string>& lines, MessageSink& sink) {
    lines.clear();
    try {
        std::string bytes;
        switch (ReadFileBytes(path, bytes, MaxCfgFileBytes)) {
        case FileError::None:
            break;
        case FileError::TooLarge:
            sink.Error(MsgCfgTooLarge);
            return false;
        default:
            sink.Error(MsgCfgCannotRead);
            return false;
        }
        std::string text;
        int badLine = 0;
        if (!DecodeTextFile(bytes, text, &badLine)) {
            sink.Error(MsgCfgBadCharPrefix + IntToStr(badLine) + MsgCfgBadCharSuffix);
            return false;
        }
        lines = SplitTextLines(text);
        return true;
    } catch (const std::bad_alloc&) {
        lines.clear();
        sink.Error(MsgCfgTooLarge);
        return false;
    }
}

bool LoadCfgFile(const std::string& path, std::vector<std::string>& lines, MessageSink& sink) {
    if (!HasCfgExtension(path)) {
        sink.Error(MsgWrongCfgExtension);
        return false;
    }
    return ReadCfgLines(path, lines, sink);
}

bool SaveCfgFile(const std::string& path, const std::vector<std::string>& lines,
                 MessageSink& sink) {
    try {
        if (AtomicSave(path, JoinLinesCrLf(lines)) == FileError::None) return true;
    } catch (const std::bad_alloc&) {
    }
    sink.Error(MsgCfgCannotSave);
    return false;
}

} // namespace gramarbor
