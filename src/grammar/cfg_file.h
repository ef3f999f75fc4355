// .CFG files: grammar text as lines ending in CR LF, in Windows-1252 (UTF-8 files are
// accepted and converted on reading).
#pragma once

#include <string>
#include <vector>

#include "base/message_sink.h"

namespace gramarbor {

// The test of loading: the file name's extension, upper-cased, must begin with ".CFG"
// (so "grammar.cfgx" passes, "grammar.txt" and "grammar" do not).
bool HasCfgExtension(const std::string& path);

// Reads a text file into Windows-1252 lines, whatever its extension. A file that is
// valid UTF-8 with non-ASCII characters is converted from UTF-8; any other file is
// taken as Windows-1252. Reports unreadable files and characters Windows-1252 cannot
// hold (naming the line) to sink and returns false, leaving lines empty.
bool ReadCfgLines(const std::string& path, std::vector<std::string>& lines, MessageSink& sink);

// Loading as the "Load CFG" command does it: the extension test, then ReadCfgLines.
// A wrong extension gives "Wrong file-type: extension ".CFG" expected." and lines
// stay untouched.
bool LoadCfgFile(const std::string& path, std::vector<std::string>& lines, MessageSink& sink);

// Writes each line followed by CR LF, replacing the file atomically: on failure the
// message goes to sink and an existing file keeps its old contents.
bool SaveCfgFile(const std::string& path, const std::vector<std::string>& lines, MessageSink& sink);

} // namespace gramarbor
