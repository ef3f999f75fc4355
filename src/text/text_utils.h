// The program's character classes, case folding and small string helpers.
//
// Texts are Windows-1252 byte strings. Positions handed to and returned by these
// helpers are 1-based where the helper says so (PosFrom); 0 means "not found".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gramarbor {

// "äÄöÖüÜ": each lower-case umlaut followed by its upper-case partner.
extern const std::string UmlautPairs;
// "A..Z_ß0..9" followed by Ä, Ö, Ü: the characters that may continue an identifier.
extern const std::string IdentChars;
// The first IdentStartCount characters of IdentChars (A..Z and "_") may begin one.
extern const int IdentStartCount;

char UpCaseChar(char c);
std::string UpperCaseGerman(std::string_view text);
std::string LowerCaseGerman(std::string_view text, bool capitalizeFirst);
bool IsIdentifier(std::string_view text);

// Splits text at every occurrence of sep into list, dropping empty pieces. Returns
// false when no list is given; an empty text gives an empty list and true.
bool SplitString(std::string_view text, std::string_view sep, std::vector<std::string>* list);

// 1-based position of the first occurrence of pattern in text at or after start,
// or 0 when there is none.
std::size_t PosFrom(std::string_view pattern, std::string_view text, std::size_t start);

std::string RepeatChar(char c, int count);

// Two characters holding a 16-bit value, low byte first.
std::string WordToStr2(uint16_t value);
uint16_t Str2ToWord(std::string_view text);

// Removes leading and trailing blanks and control characters (codes 0..32).
std::string TrimText(std::string_view text);
std::string TrimLeftText(std::string_view text);

// Decimal text of an integer ("." is the only decimal separator the program uses
// for the numbers it reads and writes; these helpers never depend on the locale).
std::string IntToStr(long long value);
// Parses an optionally signed decimal integer, or "$" followed by hexadecimal
// digits, as a 32-bit value. Surrounding blanks are not allowed.
bool StrToInt32(std::string_view text, int32_t& value);

} // namespace gramarbor
