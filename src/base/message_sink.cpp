// The recording message sink that tests and deferred callers use.
#include "base/message_sink.h"

namespace gramarbor {

void RecordingSink::Show(MessageKind kind, const std::string& text) {
    Messages.push_back({kind, text});
}

std::vector<std::string> RecordingSink::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(Messages.size());
    for (const auto& message : Messages)
        texts.push_back(message.Text);
    return texts;
}

std::string RecordingSink::Last() const {
    return Messages.empty() ? std::string() : Messages.back().Text;
}

} // namespace gramarbor
