// Command registry, argument handling and file messages shared by the commands.
#include "cli/cli_support.h"

#include <iostream>

#include "base/file_io.h"
#include "cli/text_output.h"
#include "text/cp1252.h"

namespace gramarbor::cli {

namespace {
std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}
} // namespace

CommandRegistration::CommandRegistration(Command command) {
    Registry().push_back(command);
}

const std::vector<Command>& Commands() {
    return Registry();
}

void TerminalSink::Show(MessageKind kind, const std::string& text) {
    std::string utf8 = Cp1252ToUtf8(text);
    switch (kind) {
    case MessageKind::Error:
        PrintError("error: " + utf8);
        break;
    case MessageKind::Warning: {
        const std::string_view own = "Warning: ";
        if (utf8.compare(0, own.size(), own) == 0) utf8.erase(0, own.size());
        PrintError("warning: " + utf8);
        break;
    }
    case MessageKind::Information:
        StdOut().Write(utf8);
        StdOut().Put('\n');
        break;
    }
}

void PrintError(const std::string& utf8Line) {
    // Keep the order in which the lines were made when both streams go to one place.
    StdOut().Flush();
    std::cerr << utf8Line << '\n';
}

std::optional<std::string> ArgToCp1252(const std::string& utf8, const std::string& what) {
    std::string text;
    if (Utf8ToCp1252(utf8, text)) return text;
    PrintError("error: " + what + " holds a character that Windows-1252 cannot represent");
    return std::nullopt;
}

void PrintLine(const std::string& cp1252Text) {
    StdOut().Line(cp1252Text);
}

void Print(std::string_view utf8Text) {
    StdOut().Write(utf8Text);
}

void PrintFileMessages(const std::string& path, int line, const RecordingSink& sink) {
    const std::string place = line > 0 ? path + ":" + std::to_string(line) : path;
    for (const std::string& message : sink.Texts())
        PrintError(place + ": error: " + Cp1252ToUtf8(message));
}

int UsageError(const std::string& command, const std::string& message) {
    PrintError("gramarbor-cli " + command + ": " + message);
    PrintError("Try 'gramarbor-cli " + command + " --help'.");
    return ExitError;
}

std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path) {
    std::string bytes;
    switch (ReadFileBytes(path, bytes, std::size_t(256) << 20)) {
    case FileError::None:
        break;
    case FileError::TooLarge:
        PrintError(path + ": error: file is too large");
        return std::nullopt;
    default:
        PrintError(path + ": error: cannot read file");
        return std::nullopt;
    }
    std::string text;
    int badLine = 0;
    if (!DecodeTextFile(bytes, text, &badLine)) {
        PrintError(path + ":" + std::to_string(badLine) +
                   ": error: character that Windows-1252 cannot represent");
        return std::nullopt;
    }
    return SplitTextLines(text);
}

bool IsHelpFlag(const std::string& arg) {
    return arg == "-h" || arg == "--help";
}

std::optional<long long> ParseNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    try {
        std::size_t used = 0;
        const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
        const long long value = std::stoll(hex ? text.substr(2) : text, &used, hex ? 16 : 10);
        if (used != (hex ? text.size() - 2 : text.size())) return std::nullopt;
        return value;
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace gramarbor::cli
