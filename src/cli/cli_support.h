// Shared pieces of the command-line tool: command registry, argument handling,
// message output. The terminal speaks UTF-8; the core speaks Windows-1252.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/message_sink.h"

namespace gramarbor::cli {

// Exit codes shared by every command.
inline constexpr int ExitOk = 0;
// The input was understood and rejected: the sentence is not in the language.
inline constexpr int ExitRejected = 1;
// The input could not be used: an unreadable or damaged file, a grammar error, a
// parse refused before searching, bad arguments, or output that cannot be written.
inline constexpr int ExitError = 2;

// The exit-status paragraph of every command's --help (and of the README).
inline constexpr const char* ExitStatusHelp =
    "Exit status: 0 success; 1 the input was understood and rejected (the sentence\n"
    "is not in the language); 2 the input could not be used (an unreadable or\n"
    "damaged file, a grammar error, a parse refused before searching such as a\n"
    "unit-rule cycle or a sentence that cannot be split into words, bad arguments,\n"
    "or output that cannot be written).\n";

using CommandFunction = int (*)(const std::vector<std::string>& args);

struct Command {
    const char* Name;
    const char* Summary; // one line for the tool's --help
    CommandFunction Run; // receives the arguments after the command name
};

// Registers a command at program start; define one static instance per command.
struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

const std::vector<Command>& Commands();

// Prints messages on stderr as "error: TEXT", "warning: TEXT" (information goes to
// stdout), converted to UTF-8. A warning's own "Warning: " is left out.
class TerminalSink final : public MessageSink {
public:
    void Show(MessageKind kind, const std::string& text) override;
};

// Converts a UTF-8 argument to Windows-1252; on failure prints an error naming
// what and returns nothing.
std::optional<std::string> ArgToCp1252(const std::string& utf8, const std::string& what);

// Writes Windows-1252 text to stdout as UTF-8, then a line feed.
void PrintLine(const std::string& cp1252Text);
// Writes UTF-8 text to stdout as it is.
void Print(std::string_view utf8Text);

// Writes an error line to stderr, after what stdout holds so far.
void PrintError(const std::string& utf8Line);

// Prints "gramarbor-cli COMMAND: MESSAGE" and a hint to --help on stderr; returns ExitError.
int UsageError(const std::string& command, const std::string& message);

// Prints each message of sink on stderr as FILE:LINE: error: MESSAGE, converted to
// UTF-8 (line 1-based; left out when 0).
void PrintFileMessages(const std::string& path, int line, const RecordingSink& sink);

// Reads and decodes a text file (UTF-8 or Windows-1252) into Windows-1252 lines.
// On failure prints "FILE: error: ..." and returns nothing.
std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path);

// True for "-h" and "--help".
bool IsHelpFlag(const std::string& arg);

// Parses a decimal or 0x-hexadecimal number.
std::optional<long long> ParseNumber(const std::string& text);

} // namespace gramarbor::cli
