// The channel through which the core reports messages to the user.
//
// Every message is a fixed English text in Windows-1252; the GUI shows it in a
// modal box of the given kind, the command-line tool prints it, tests record it.
#pragma once

#include <string>
#include <vector>

namespace gramarbor {

enum class MessageKind { Error, Warning, Information };

// The program's message for a command abandoned because memory ran out.
inline const std::string MsgOutOfMemory = "Not enough memory to proceed. Program aborted.";

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Show(MessageKind kind, const std::string& text) = 0;

    void Error(const std::string& text) { Show(MessageKind::Error, text); }
    void Warning(const std::string& text) { Show(MessageKind::Warning, text); }
    void Information(const std::string& text) { Show(MessageKind::Information, text); }
};

// Swallows every message.
class NullSink final : public MessageSink {
public:
    void Show(MessageKind, const std::string&) override {}
};

// Keeps every message in order; used by tests and by callers that decide later.
class RecordingSink final : public MessageSink {
public:
    struct Entry {
        MessageKind Kind;
        std::string Text;
        bool operator==(const Entry&) const = default;
    };

    void Show(MessageKind kind, const std::string& text) override;

    const std::vector<Entry>& Entries() const { return Messages; }
    // Texts of all messages, in order.
    std::vector<std::string> Texts() const;
    // Text of the last message, or empty when there is none.
    std::string Last() const;
    bool Empty() const { return Messages.empty(); }
    void Clear() { Messages.clear(); }

private:
    std::vector<Entry> Messages;
};

} // namespace gramarbor
