// The cases of scenario scripts: every file of a folder under tests/data, each
// "case NAME" line starting a case that runs the lines after it ("#" lines and empty
// lines are skipped). Shared by the network sheet's and the parsing page's scripts.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "base/message_sink.h"

namespace gramarbor::testing {

using Words = std::vector<std::string>;

struct ScriptCase {
    std::string Name, File;
    std::vector<std::pair<int, std::string>> Lines; // line number, text
    std::string Where(int line) const { return File + ":" + std::to_string(line) + ": "; }
};
inline void PrintTo(const ScriptCase& c, std::ostream* out) {
    *out << c.Name;
}

inline std::vector<ScriptCase> LoadScriptCases(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(GRAMARBOR_TEST_DATA) / folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<ScriptCase> cases;
    for (const auto& file : files) {
        std::ifstream in(file);
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            if (++number, line.empty() || line[0] == '#') continue;
            if (line.rfind("case ", 0) == 0)
                cases.push_back({file.stem().string() + "_" + line.substr(5), file.string(), {}});
            else if (cases.empty()) // fails as an unknown command
                cases.push_back({"LineBeforeTheFirstCase", file.string(), {{number, "?"}}});
            else
                cases.back().Lines.emplace_back(number, line);
        }
    }
    return cases;
}

inline Words Split(const std::string& text, const std::string& separator) {
    Words parts;
    for (std::size_t from = 0, at = 0; at != std::string::npos; from = at + separator.size())
        parts.push_back(text.substr(from, (at = text.find(separator, from)) - from));
    return parts;
}

// Runs one line: command does it and returns its outcome, which must be the text after
// " => " or, without one, byDefault (an empty outcome needs no " => "). A command that
// throws found a malformed line.
inline void RunScriptLine(const ScriptCase& c, int number, const std::string& line,
                          const std::function<std::string(const std::string&)>& command,
                          const std::string& byDefault) {
    SCOPED_TRACE(c.Where(number) + line);
    try {
        const Words parts = Split(line, " => ");
        const std::string outcome = command(parts[0]);
        if (parts.size() > 1 || !outcome.empty()) {
            EXPECT_EQ(outcome, parts.size() > 1 ? parts[1] : byDefault);
        }
    } catch (const std::exception& e) {
        ADD_FAILURE() << "malformed line (" << e.what() << ")";
    }
}

// The messages shown, each of which a script must expect, in order.
class ExpectedMessages {
public:
    explicit ExpectedMessages(const RecordingSink& sink) : Sink(sink) {}
    ExpectedMessages(const ExpectedMessages&) = delete;
    ~ExpectedMessages() {
        const Words texts = Sink.Texts();
        for (std::size_t i = Seen; i < texts.size(); ++i)
            ADD_FAILURE() << "unexpected message: " << texts[i];
    }
    // The next message must be text, or begin so.
    void Next(const std::string& text, bool whole = true) {
        const Words texts = Sink.Texts();
        const std::string next = Seen < texts.size() ? texts[Seen++] : "(no message)";
        EXPECT_EQ(whole ? next : next.substr(0, text.size()), text);
    }

private:
    const RecordingSink& Sink;
    std::size_t Seen = 0;
};

} // namespace gramarbor::testing
