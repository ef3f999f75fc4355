// gramarbor-cli parse: parses a sentence with a grammar file and prints the trace
// list and the parse trees.
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "grammar/cfg_file.h"
#include "grammar/grammar_messages.h"
#include "grammar/prepare_grammar.h"
#include "parsing/parse_driver.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"

namespace gramarbor::cli {
namespace {

const std::string MsgNoText = "You have not entered a text to parse.";

void PrintParseHelp() {
    std::cout
        << "Usage: gramarbor-cli parse [OPTIONS] GRAMMAR.CFG SENTENCE...\n\n"
           "Parses the sentence (the remaining arguments joined by blanks) with the grammar\n"
           "and prints \"Parsing successful!\" or \"Parsing failed!\". After a successful parse\n"
           "follow, each block after one empty line, the trace list (when one was made) and\n"
           "the bracketed text of each parse tree, one per line (when trees were made).\n\n"
           "Options (applied in this order: --options first, then the others as given):\n"
           "  --options N       the whole option byte, decimal or 0x hex (default 0x65):\n"
           "                    0x01 bottom-up, 0x02 top-down, 0x04 breadth-first,\n"
           "                    0x08 depth-first, 0x10 trace list, 0x20 optimal trace,\n"
           "                    0x40 parse trees, 0x80 case-sensitive\n"
           "  --top-down, --bottom-up          the strategy family of the trace list\n"
           "  --depth-first, --breadth-first   its direction\n"
           "  --trace=detailed|optimal|none    the kind of trace list, or none\n"
           "  --trees, --no-trees              whether to make all parse trees\n"
           "  --case-sensitive                 compare words with the grammar exactly\n"
           "  --max-trees N                    print at most the first N parse trees\n"
           "                                   (default: every tree)\n"
           "  --count                          print the exact number of parse trees last,\n"
           "                                   also with --no-trees\n"
           "  --                               the arguments after it are sentence words\n\n"
           "Messages of the parse go to stderr as \"error: MESSAGE\"; a grammar error as\n"
           "FILE:LINE: error: MESSAGE.\n\n"
           "Exit status: 0 accepted, 1 rejected, 2 unreadable file, grammar error or bad\n"
           "arguments.\n";
}

struct ParseArgs {
    std::string Grammar;
    std::vector<std::string> Words;
    uint8_t Options = DefaultParseOptions;
    std::size_t MaxTrees = SIZE_MAX;
    bool Count = false;
};

// Applies one flag option to the byte; false when the option is unknown.
bool ApplyFlag(const std::string& arg, uint8_t& options) {
    const auto set = [&](uint8_t on, uint8_t off) {
        options = static_cast<uint8_t>((options | on) & ~off);
    };
    if (arg == "--top-down")
        set(poTopDown, poBottomUp);
    else if (arg == "--bottom-up")
        set(poBottomUp, poTopDown);
    else if (arg == "--depth-first")
        set(poDepthFirst, poBreadthFirst);
    else if (arg == "--breadth-first")
        set(poBreadthFirst, poDepthFirst);
    else if (arg == "--trace=detailed")
        set(poTraceList, poOptimalTrace);
    else if (arg == "--trace=optimal")
        set(poTraceList | poOptimalTrace, 0);
    else if (arg == "--trace=none")
        set(0, poTraceList | poOptimalTrace);
    else if (arg == "--trees")
        set(poParseTrees, 0);
    else if (arg == "--no-trees")
        set(0, poParseTrees);
    else if (arg == "--case-sensitive")
        set(poCaseSensitive, 0);
    else
        return false;
    return true;
}

// Reads the arguments; on a usage error prints it and returns the exit code in error.
std::optional<ParseArgs> ReadArgs(const std::vector<std::string>& args, int& error) {
    ParseArgs parsed;
    std::vector<std::string> flags;
    std::vector<std::string> positional;
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsDone || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            positional.push_back(arg);
        } else if (arg == "--") {
            optionsDone = true;
        } else if (arg == "--options" || arg.compare(0, 10, "--options=") == 0) {
            std::string value;
            if (arg == "--options") {
                if (i + 1 == args.size()) {
                    error = UsageError("parse", "--options needs a value");
                    return std::nullopt;
                }
                value = args[++i];
            } else {
                value = arg.substr(10);
            }
            const std::optional<long long> number = ParseNumber(value);
            if (!number || *number < 0 || *number > 255) {
                error = UsageError("parse", "--options takes a number from 0 to 255 (or 0x00 to "
                                            "0xFF), not '" +
                                                value + "'");
                return std::nullopt;
            }
            parsed.Options = static_cast<uint8_t>(*number);
        } else if (arg == "--max-trees" || arg.compare(0, 12, "--max-trees=") == 0) {
            std::string value;
            if (arg == "--max-trees") {
                if (i + 1 == args.size()) {
                    error = UsageError("parse", "--max-trees needs a value");
                    return std::nullopt;
                }
                value = args[++i];
            } else {
                value = arg.substr(12);
            }
            const std::optional<long long> number = ParseNumber(value);
            if (!number || *number < 1) {
                error = UsageError("parse",
                                   "--max-trees takes a number of at least 1, not '" + value + "'");
                return std::nullopt;
            }
            parsed.MaxTrees = static_cast<std::size_t>(*number);
        } else if (arg == "--count") {
            parsed.Count = true;
        } else {
            flags.push_back(arg);
        }
    }
    for (const std::string& flag : flags)
        if (!ApplyFlag(flag, parsed.Options)) {
            error = UsageError("parse", "unknown option " + flag);
            return std::nullopt;
        }
    if (positional.empty()) {
        error = UsageError("parse", "expects a grammar file and a sentence");
        return std::nullopt;
    }
    parsed.Grammar = positional.front();
    parsed.Words.assign(positional.begin() + 1, positional.end());
    return parsed;
}

int RunParse(const std::vector<std::string>& args) {
    if (args.size() == 1 && IsHelpFlag(args[0])) {
        PrintParseHelp();
        return ExitOk;
    }
    int error = ExitError;
    const std::optional<ParseArgs> parsed = ReadArgs(args, error);
    if (!parsed) return error;

    std::string sentenceUtf8;
    for (std::size_t i = 0; i < parsed->Words.size(); ++i)
        sentenceUtf8 += (i == 0 ? "" : " ") + parsed->Words[i];
    const std::optional<std::string> sentence = ArgToCp1252(sentenceUtf8, "the sentence");
    if (!sentence) return ExitError;

    const std::string& path = parsed->Grammar;
    RecordingSink grammarSink;
    std::vector<std::string> lines;
    if (!ReadCfgLines(path, lines, grammarSink)) {
        PrintFileMessages(path, 0, grammarSink);
        return ExitError;
    }
    if (lines.empty()) {
        grammarSink.Error(MsgDefineCfgFirst);
        PrintFileMessages(path, 0, grammarSink);
        return ExitError;
    }
    TerminalSink terminal;
    if (sentence->empty()) {
        terminal.Error(MsgNoText);
        return ExitError;
    }
    TParser parser(grammarSink);
    TGrammarLines ruleLines;
    if (!PrepareGrammar(parser, lines, true, &ruleLines)) {
        PrintFileMessages(path, ruleLines.SourceLineOf(parser.ErrorLine) + 1, grammarSink);
        return ExitError;
    }

    parser.Sink = &terminal;
    const std::vector<std::string> sentenceLines{*sentence};
    // Counting needs the tree step; without --trees it keeps a single tree unprinted.
    const bool printTrees = (parsed->Options & poParseTrees) != 0;
    uint8_t options = parsed->Options;
    TParseRun run;
    run.MaxParseTrees = parsed->MaxTrees;
    if (parsed->Count && !printTrees) {
        options |= poParseTrees;
        run.MaxParseTrees = 1;
    }
    const bool accepted = ParseSentence(parser, sentenceLines, options, run);
    PrintLine(accepted ? MsgParsingSuccessful : MsgParsingFailed);
    if (!accepted) {
        if (parsed->Count) {
            PrintLine("");
            PrintLine("0");
        }
        return ExitRejected;
    }
    if ((parsed->Options & poTraceList) != 0) {
        PrintLine("");
        for (const std::string& line : parser.TraceLines)
            PrintLine(line);
    }
    if (printTrees) {
        PrintLine("");
        for (const std::string& tree : parser.ParseTrees)
            PrintLine(tree);
    }
    if (parsed->Count) {
        PrintLine("");
        PrintLine(run.TreeCount.ToString());
    }
    return ExitOk;
}

const CommandRegistration Registration({"parse", "parse a sentence and print the trace and trees",
                                        RunParse});

} // namespace
} // namespace gramarbor::cli
