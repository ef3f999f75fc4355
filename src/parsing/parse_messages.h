// The fixed texts the parse driver and the strategies report (Windows-1252).
#pragma once

#include <cstddef>
#include <string>

namespace gramarbor {

inline const std::string MsgTokenListIncomplete =
    "Internal error: couldn`t create complete list of tokens!";
inline const std::string MsgParsingSuccessful = "Parsing successful!";
inline const std::string MsgParsingFailed = "Parsing failed!";

// "There are more than N parse trees; only the first N are kept."
// "The token "T" couldn`t be assigned a category."
inline std::string MsgNoCategory(const std::string& token) {
    return "The token \"" + token + "\" couldn`t be assigned a category.";
}

} // namespace gramarbor
