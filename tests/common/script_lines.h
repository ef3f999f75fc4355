// Interpreters that read each line of a scenario script whole ("COMMAND ... => OUTCOME"):
// the network sheet's, the parsing page's and the parse driver's.
#pragma once

#include <functional>

#include "common/script_cases.h"

namespace gramarbor::testing {

using TextList = std::vector<std::string>;

inline TextList Split(const std::string& text, const std::string& separator) {
    TextList parts;
    for (std::size_t from = 0, at = 0; at != std::string::npos; from = at + separator.size())
        parts.push_back(text.substr(from, (at = text.find(separator, from)) - from));
    return parts;
}

// Runs one line: command does it and returns its outcome, which must be the text after
// " => " or, without one, byDefault (an empty outcome needs no " => "). A command that
// throws found a malformed line.
inline void RunScriptLine(const ScriptCase& c, const ScriptLine& line,
                          const std::function<std::string(const std::string&)>& command,
                          const std::string& byDefault) {
    SCOPED_TRACE(c.File + ":" + std::to_string(line.Number) + ": " + line.Text());
    try {
        const TextList parts = Split(line.Text(), " => ");
        const std::string outcome = command(parts[0]);
        if (parts.size() > 1 || !outcome.empty()) {
            EXPECT_EQ(outcome, parts.size() > 1 ? parts[1] : byDefault);
        }
    } catch (const std::exception& e) {
        ADD_FAILURE() << "malformed line (" << e.what() << ")";
    }
}

// Runs every line of a case so; byDefault gives the outcome a line's command has
// without " => ".
inline void RunScriptLines(const ScriptCase& c,
                           const std::function<std::string(const std::string&)>& command,
                           const std::function<std::string(const std::string&)>& byDefault) {
    for (const ScriptLine& line : c.Lines)
        RunScriptLine(c, line, command, byDefault(line.Command));
}

// The messages shown, each of which a script must expect, in order.
class ExpectedMessages {
public:
    explicit ExpectedMessages(const RecordingSink& sink) : Sink(sink) {}
    ExpectedMessages(const ExpectedMessages&) = delete;
    ~ExpectedMessages() {
        const TextList texts = Sink.Texts();
        for (std::size_t i = Seen; i < texts.size(); ++i)
            ADD_FAILURE() << "unexpected message: " << texts[i];
    }
    // The next message must be text, or begin so.
    void Next(const std::string& text, bool whole = true) {
        const TextList texts = Sink.Texts();
        const std::string next = Seen < texts.size() ? texts[Seen++] : "(no message)";
        EXPECT_EQ(whole ? next : next.substr(0, text.size()), text);
    }

private:
    const RecordingSink& Sink;
    std::size_t Seen = 0;
};

} // namespace gramarbor::testing
