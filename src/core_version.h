// Version values of the program, fixed at start.
#pragma once

#include <string>

namespace gramarbor {

inline constexpr const char* VersionNumber = "1.01";

// "Gramarbor v1.01": the caption of the main window.
std::string TitleText();

// "v1.01", a carriage return and the release date in parentheses.
std::string VersionText();

} // namespace gramarbor
