#include "cli/cli_support.h"

#include <cstdio>
#include <iostream>

#include "base/file_io.h"
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
    const std::string utf8 = Cp1252ToUtf8(text);
    switch (kind) {
    case MessageKind::Error:
        std::cerr << "error: " << utf8 << '\n';
        break;
    case MessageKind::Warning:
        std::cerr << "warning: " << utf8 << '\n';
        break;
    case MessageKind::Information:
        std::cout << utf8 << '\n';
        break;
    }
}

std::optional<std::string> ArgToCp1252(const std::string& utf8, const std::string& what) {
    std::string text;
    if (Utf8ToCp1252(utf8, text)) return text;
    std::cerr << "error: " << what << " holds a character that Windows-1252 cannot represent\n";
    return std::nullopt;
}

void PrintLine(const std::string& cp1252Text) {
    if (IsAscii(cp1252Text))
        std::cout.write(cp1252Text.data(), static_cast<std::streamsize>(cp1252Text.size()));
    else
        std::cout << Cp1252ToUtf8(cp1252Text);
    std::cout.put('\n');
}

void PrintFileMessages(const std::string& path, int line, const RecordingSink& sink) {
    for (const std::string& message : sink.Texts()) {
        std::cerr << path;
        if (line > 0) std::cerr << ':' << line;
        std::cerr << ": error: " << Cp1252ToUtf8(message) << '\n';
    }
}

int UsageError(const std::string& command, const std::string& message) {
    std::cerr << "gramarbor-cli " << command << ": " << message << '\n'
              << "Try 'gramarbor-cli " << command << " --help'.\n";
    return ExitError;
}

std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path) {
    std::string bytes;
    switch (ReadFileBytes(path, bytes, std::size_t(256) << 20)) {
    case FileError::None:
        break;
    case FileError::TooLarge:
        std::cerr << path << ": error: file is too large\n";
        return std::nullopt;
    default:
        std::cerr << path << ": error: cannot read file\n";
        return std::nullopt;
    }
    std::string text;
    int badLine = 0;
    if (!DecodeTextFile(bytes, text, &badLine)) {
        std::cerr << path << ":" << badLine
                  << ": error: character that Windows-1252 cannot represent\n";
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
