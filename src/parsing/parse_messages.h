// The fixed texts the parse driver and the strategies report (Windows-1252).
#pragma once

#include <cstddef>
#include <string>

namespace gramarbor {

inline const std::string MsgTokenListIncomplete =
    "Internal error: couldn`t create complete list of tokens!";
inline const std::string MsgParsingSuccessful = "Parsing successful!";
inline const std::string MsgParsingFailed = "Parsing failed!";

// "The token "T" couldn`t be assigned a category."
inline std::string MsgNoCategory(const std::string& token) {
    return "The token \"" + token + "\" couldn`t be assigned a category.";
}

// "Reading stopped at the character "!" at position 9 of the sentence." (position
// 1-based; line 1-based, named only past the first line).
inline std::string MsgTokenStop(char character, std::size_t position, std::size_t line) {
    std::string text = "Reading stopped at the character \"";
    text += character;
    text += "\" at position " + std::to_string(position);
    if (line > 1) text += " of line " + std::to_string(line);
    return text + " of the sentence.";
}

// Asked for a tree (1-based number) past the last one.
inline std::string MsgNoSuchTree(const std::string& number, const std::string& count) {
    return "There is no parse tree " + number + ": the sentence has " + count +
           (count == "1" ? " parse tree." : " parse trees.");
}

inline const std::string MsgAmbiguitiesTooLarge =
    "The ambiguities cannot be listed: the sentence has too many phrases to examine within "
    "the memory allowed.";

inline const std::string MsgTreeOutOfReach =
    "The parse tree cannot be looked up: the sentence is too long to find it within the "
    "memory allowed.";

} // namespace gramarbor
