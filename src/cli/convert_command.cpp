// gramarbor-cli convert: writes a grammar in NLTK's notation or NLTK's grammar in
// this program's notation.
#include <optional>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "cli/cli_support.h"
#include "grammar/cfg_file.h"
#include "grammar/grammar_messages.h"
#include "grammar/nltk_grammar.h"
#include "grammar/nltk_writer.h"
#include "text/cp1252.h"

namespace gramarbor::cli {
namespace {

void PrintConvertHelp() {
    Print("Usage: gramarbor-cli convert --to nltk|gramarbor GRAMMAR [-o OUT]\n\n"
          "Converts a grammar between this program's notation and NLTK's\n"
          "(S -> NP VP | VP, Det -> 'the' | 'a', # comments), so that the result\n"
          "parses the same sentences with the same trees.\n\n"
          "  --to nltk        GRAMMAR is in this program's notation; it is checked and\n"
          "                   written as NLTK's notation (UTF-8): the rules of its\n"
          "                   internal CFG, one line per category\n"
          "  --to gramarbor   GRAMMAR is in NLTK's notation; it is written in this\n"
          "                   program's notation, category names in upper case\n"
          "  -o OUT           the file to write (this program's notation is written as\n"
          "                   a .CFG file: Windows-1252, CR LF); without it the grammar\n"
          "                   is printed\n\n"
          "What cannot be carried over (feature structures, probabilities, token\n"
          "classes, empty alternatives, renamed categories ...) is reported on stderr\n"
          "as FILE:LINE: warning: MESSAGE, and the conversion still succeeds. Errors\n"
          "come as FILE:LINE: error: MESSAGE.\n\n");
    Print(ExitStatusHelp);
}

struct ConvertArgs {
    std::string To;
    std::string In;
    std::optional<std::string> Out;
};

std::optional<int> ParseArgs(const std::vector<std::string>& args, ConvertArgs& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (IsHelpFlag(arg)) {
            PrintConvertHelp();
            return ExitOk;
        } else if (arg == "--to" || arg == "-o") {
            if (i + 1 >= args.size()) return UsageError("convert", arg + " needs a value");
            (arg == "--to" ? parsed.To : parsed.Out.emplace()) = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("convert", "unknown option " + arg);
        } else if (parsed.In.empty()) {
            parsed.In = arg;
        } else {
            return UsageError("convert", "expects exactly one grammar file");
        }
    }
    if (parsed.To != "nltk" && parsed.To != "gramarbor")
        return UsageError("convert", "expects --to nltk or --to gramarbor");
    if (parsed.In.empty()) return UsageError("convert", "expects a grammar file");
    if (parsed.Out && parsed.Out->empty()) return UsageError("convert", "-o needs a file name");
    return std::nullopt;
}

void PrintNotes(const std::string& path, const TNltkNotes& notes) {
    for (const TNltkNote& note : notes.Kept)
        PrintError((note.Line > 0 ? path + ":" + std::to_string(note.Line) : path) +
                   ": warning: " + Cp1252ToUtf8(note.Text));
    if (notes.Dropped > 0)
        PrintError(path + ": warning: " + std::to_string(notes.Dropped) +
                   " more warnings left out");
}

bool WriteOutput(const ConvertArgs& parsed, const std::vector<std::string>& lines) {
    if (!parsed.Out) {
        for (const std::string& line : lines)
            PrintLine(line);
        return true;
    }
    RecordingSink sink;
    if (parsed.To == "gramarbor") {
        if (SaveCfgFile(*parsed.Out, lines, sink)) return true;
        PrintFileMessages(*parsed.Out, 0, sink);
        return false;
    }
    std::string text;
    for (const std::string& line : lines)
        text += Cp1252ToUtf8(line) + "\n";
    if (AtomicSave(*parsed.Out, text) == FileError::None) return true;
    sink.Error(MsgCfgCannotSave);
    PrintFileMessages(*parsed.Out, 0, sink);
    return false;
}

int RunConvert(const std::vector<std::string>& args) {
    ConvertArgs parsed;
    if (const auto stop = ParseArgs(args, parsed)) return *stop;

    RecordingSink sink;
    std::vector<std::string> lines;
    if (!ReadCfgLines(parsed.In, lines, sink)) {
        PrintFileMessages(parsed.In, 0, sink);
        return ExitError;
    }
    TNltkConversion result;
    if (parsed.To == "gramarbor") {
        TNltkNote error;
        if (!ConvertNltkToGramarbor(lines, result, error)) {
            sink.Error(error.Text);
            PrintFileMessages(parsed.In, error.Line, sink);
            return ExitError;
        }
    } else {
        if (lines.empty()) sink.Error(MsgDefineCfgFirst);
        int errorLine = -1;
        if (lines.empty() || !ConvertGramarborToNltk(lines, result, sink, errorLine)) {
            PrintFileMessages(parsed.In, errorLine + 1, sink);
            return ExitError;
        }
    }
    PrintNotes(parsed.In, result.Notes);
    return WriteOutput(parsed, result.Lines) ? ExitOk : ExitError;
}

const CommandRegistration Registration({"convert", "convert a grammar to or from NLTK's notation",
                                        RunConvert});

} // namespace
} // namespace gramarbor::cli
