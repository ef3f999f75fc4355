// The history of the in/out text field: the texts parsed or left, newest first.
#pragma once

#include <string>
#include <vector>

namespace gramarbor {

inline constexpr int InputHistoryMax = 16;

// Puts text at the front of the in/out history when it is 1 to maxLength characters
// long (never more than 255) and not yet listed, then cuts the history to
// InputHistoryMax entries.
void RecordInputHistory(std::vector<std::string>& history, const std::string& text, int maxLength);

} // namespace gramarbor
