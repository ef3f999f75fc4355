// Conversion between the program's Windows-1252 texts and UTF-8 at its edges
// (terminal, Qt widgets, text files written by Linux editors).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace gramarbor {

// Every byte maps to one code point; the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, so the
// conversion is lossless both ways.
std::string Cp1252ToUtf8(std::string_view text);

// True when every byte is below 0x80: the text reads the same in both encodings.
bool IsAscii(std::string_view text);

// Converts UTF-8 to Windows-1252. Fails on invalid UTF-8 or on a character that
// Windows-1252 cannot hold; badOffset then receives the byte offset of the culprit.
bool Utf8ToCp1252(std::string_view utf8, std::string& out, std::size_t* badOffset = nullptr);

bool IsValidUtf8(std::string_view text);

// Decodes the bytes of a text file into Windows-1252. A file that is valid UTF-8 and
// holds non-ASCII characters (or starts with a UTF-8 byte-order mark) is read as
// UTF-8 and converted; any other file is taken as Windows-1252 unchanged. On a
// character that Windows-1252 cannot hold, fails with the 1-based line number.
bool DecodeTextFile(std::string_view bytes, std::string& text, int* badLine = nullptr);

} // namespace gramarbor
