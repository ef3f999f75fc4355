// Scenario scripts kept under tests/data: "case NAME" starts a case, each further
// line is a command and its argument (the rest of the line after one blank); blank
// lines and lines starting with '#' are skipped. A folder's interpreter maps command
// words to actions; an unknown word or a malformed argument fails the case at its line.
#pragma once

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/message_sink.h"

namespace gramarbor::testing {

struct ScriptLine {
    int Number = 0;
    std::string Command, Argument;
    // The line as written (for interpreters that read whole lines).
    std::string Text() const { return Argument.empty() ? Command : Command + " " + Argument; }
};

struct ScriptCase {
    std::string File, Name; // the file under tests/data, the name of its test
    std::vector<ScriptLine> Lines;
};

inline void PrintTo(const ScriptCase& c, std::ostream* out) {
    *out << c.File << ": " << c.Name;
}

// The cases of every file, named "stem_case"; a line outside a case or an odd case
// name becomes a case that fails.
inline std::vector<ScriptCase> ReadScriptCases(const std::vector<std::string>& files) {
    std::vector<ScriptCase> cases;
    for (const std::string& file : files) {
        std::ifstream in(std::string(GRAMARBOR_TEST_DATA) + "/" + file);
        const std::string stem =
            file.substr(file.rfind('/') + 1, file.rfind('.') - file.rfind('/') - 1);
        if (!in) cases.push_back({file, stem + "_unreadable", {{0, "unreadable file", ""}}});
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || line[0] == '#') continue;
            const std::size_t blank = line.find(' ');
            ScriptLine parsed{number, line.substr(0, blank),
                              blank == std::string::npos ? "" : line.substr(blank + 1)};
            if (parsed.Command == "case") {
                bool valid = !parsed.Argument.empty();
                for (const char c : parsed.Argument)
                    valid = valid && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
                cases.push_back({file, stem + "_" + (valid ? parsed.Argument : "bad_name"), {}});
                if (!valid) cases.back().Lines.push_back({number, "bad case name", ""});
            } else {
                if (cases.empty() || cases.back().File != file)
                    cases.push_back({file, stem + "_line_outside_a_case", {}});
                cases.back().Lines.push_back(parsed);
            }
        }
    }
    return cases;
}

// The cases of every file of a folder under tests/data, file by file in name order.
inline std::vector<ScriptCase> ReadScriptFolder(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(GRAMARBOR_TEST_DATA) + "/" + folder))
        files.push_back(folder + "/" + entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return ReadScriptCases(files);
}

// \n, \r, \t, \\ and \xHH in an argument.
inline std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'x' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
        }
    }
    return out;
}

// A whole number, or std::invalid_argument.
inline long long ScriptNumber(const std::string& text) {
    std::size_t used = 0;
    const long long value = std::stoll(text, &used);
    if (used != text.size()) throw std::invalid_argument("not a number: " + text);
    return value;
}

// The words of an argument, split at blanks.
inline std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while ((at = text.find_first_not_of(' ', at)) != std::string::npos) {
        const std::size_t end = text.find(' ', at);
        words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

// Checks compare a text made of the tree (or of the node at the path that starts the
// argument) with the argument; each becomes a command of its word.
using ScriptChecks = std::vector<std::pair<const char*, std::function<std::string()>>>;
template <typename Node>
using ScriptNodeChecks = std::vector<std::pair<const char*, std::function<std::string(Node&)>>>;

// The parts of a text between '|', and back.
inline std::vector<std::string> SplitBars(const std::string& text) {
    std::vector<std::string> parts;
    for (std::size_t at = 0, bar = 0; bar != std::string::npos; at = bar + 1)
        parts.push_back(text.substr(at, (bar = text.find('|', at)) - at));
    return parts;
}
inline std::string JoinBars(const std::vector<std::string>& parts) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i ? "|" : "") + parts[i];
    return text;
}

// The first word of an argument and the rest after one blank.
inline std::pair<std::string, std::string> SplitWord(const std::string& text) {
    const std::size_t blank = text.find(' ');
    return {text.substr(0, blank), blank == std::string::npos ? "" : text.substr(blank + 1)};
}

// The node at "root" or at child indices separated by dots (1.0).
template <typename Node>
Node* NodeAtPath(Node* root, const std::string& path) {
    if (!root) throw std::invalid_argument("no tree");
    for (std::size_t at = 0, dot = 0; path != "root" && dot != std::string::npos; at = dot + 1) {
        dot = path.find('.', at);
        root = root->Children.at(ScriptNumber(path.substr(at, dot - at))).get();
    }
    return root;
}

// Messages a script expects one by one, in order; at its end none may be left.
struct ScriptMessages {
    const RecordingSink& Sink;
    std::size_t Seen = 0;
    void Expect(const std::string& text, MessageKind kind = MessageKind::Error) {
        ASSERT_LT(Seen, Sink.Entries().size()) << "no further message";
        EXPECT_EQ(Sink.Entries()[Seen].Text, text);
        EXPECT_EQ(Sink.Entries()[Seen++].Kind, kind);
    }
    ~ScriptMessages() {
        std::vector<std::string> unchecked;
        for (std::size_t i = Seen; i < Sink.Entries().size(); ++i)
            unchecked.push_back(Sink.Entries()[i].Text);
        EXPECT_EQ(unchecked, std::vector<std::string>{}) << "messages the script does not expect";
    }
};

using ScriptCommands = std::map<std::string, std::function<void(const std::string&)>>;

template <typename Node, typename Root>
void AddChecks(ScriptCommands& commands, const ScriptChecks& checks,
               const ScriptNodeChecks<Node>& nodeChecks, Root root) {
    for (const auto& [word, text] : checks)
        commands[word] = [text](const std::string& arg) { EXPECT_EQ(text(), Unescape(arg)); };
    for (const auto& [word, text] : nodeChecks)
        commands[word] = [text, root](const std::string& arg) {
            const auto [path, expected] = SplitWord(arg);
            EXPECT_EQ(text(*NodeAtPath(root(), path)), Unescape(expected));
        };
}

// Runs the lines of a case; each failure names the file and line.
inline void RunScript(const ScriptCase& script, const ScriptCommands& commands) {
    for (const ScriptLine& line : script.Lines) {
        SCOPED_TRACE(script.File + ":" + std::to_string(line.Number) + ": " + line.Command + " " +
                     line.Argument);
        const auto command = commands.find(line.Command);
        if (command == commands.end()) {
            ADD_FAILURE() << "unknown command \"" << line.Command << "\"";
            return;
        }
        try {
            command->second(line.Argument);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "malformed line: " << e.what();
            return;
        }
        if (::testing::Test::HasFatalFailure()) return;
    }
}

} // namespace gramarbor::testing
