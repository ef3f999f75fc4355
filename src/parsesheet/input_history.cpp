// The history of the in/out text field.
#include "parsesheet/input_history.h"

#include <algorithm>

namespace gramarbor {

void RecordInputHistory(std::vector<std::string>& history, const std::string& text, int maxLength) {
    const auto length = static_cast<long long>(text.size());
    if (length >= 1 && length <= std::min(maxLength, 255) &&
        std::find(history.begin(), history.end(), text) == history.end())
        history.insert(history.begin(), text);
    if (history.size() > static_cast<std::size_t>(InputHistoryMax)) history.resize(InputHistoryMax);
}

} // namespace gramarbor
