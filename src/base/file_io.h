// Whole-file reading and atomic saving, and the CR LF line format of text files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gramarbor {

enum class FileError { None, CannotOpen, TooLarge, ReadFailed, CannotCreate, WriteFailed };

// Reads the whole file into bytes. Files larger than maxBytes are refused with
// TooLarge before anything is allocated.
FileError ReadFileBytes(const std::string& path, std::string& bytes,
                        std::size_t maxBytes = std::size_t(1) << 30);

// Writes bytes to a temporary file in the same folder, flushes it to disk and renames
// it over path. On failure the temporary file is removed and an existing file at path
// is left exactly as it was: CannotCreate when the temporary file cannot be made,
// WriteFailed when writing, flushing or renaming fails.
FileError AtomicSave(const std::string& path, std::string_view bytes);

// Splits text into lines at CR LF, LF or a lone CR. A final line ending does not
// start another (empty) line; an empty text gives no lines.
std::vector<std::string> SplitTextLines(std::string_view text);

// Each line followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// The extension of a file name with its dot ("" when there is none), as the
// platform's ExtractFileExt gives it: the part from the last dot after the last
// path separator.
std::string FileExtension(const std::string& path);

} // namespace gramarbor
