// gramarbor-cli parse: parses a sentence with a grammar file and prints the trace
// list and the parse trees.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/big_uint.h"
#include "cli/cli_support.h"
#include "cli/text_output.h"
#include "grammar/cfg_file.h"
#include "parsesheet/parse_sheet.h"
#include "parsing/ambiguity_report.h"
#include "parsing/chart_trees.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"
#include "picture/text_measurer.h"
#include "text/cp1252.h"

namespace gramarbor::cli {
namespace {

void PrintParseHelp() {
    Print("Usage: gramarbor-cli parse [OPTIONS] GRAMMAR.CFG SENTENCE...\n\n"
          "Parses the sentence (the remaining arguments joined by blanks) with the grammar\n"
          "and prints \"Parsing successful!\" or \"Parsing failed!\". After a successful parse\n"
          "follow, each block after one empty line, the trace list (when one was made) and\n"
          "the bracketed text of each parse tree, one per line (when trees were made); a\n"
          "block without lines is left out. Trees are printed as they are found, so the\n"
          "first ones appear at once however many there are.\n\n"
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
          "  --tree K, --tree K..L            print only parse tree K, or trees K to L\n"
          "                                   (numbered from 1 in the order they are\n"
          "                                   printed); found from the chart without\n"
          "                                   making the trees before them\n"
          "  --ambiguities                    print, after the trees, each span of words\n"
          "                                   derived in more than one way: its symbol and\n"
          "                                   readings, then one line per analysis\n"
          "  --count                          print the exact number of parse trees last,\n"
          "                                   counted from the chart; it changes nothing\n"
          "                                   else (verdict, trace, messages, status)\n"
          "  --                               the arguments after it are sentence words\n\n"
          "Messages of the parse go to stderr as \"error: MESSAGE\"; a grammar error as\n"
          "FILE:LINE: error: MESSAGE. A trace list that reaches its memory limit ends with\n"
          "a line saying so and a warning. A parse refused before searching (a unit-rule\n"
          "cycle, a sentence that cannot be split into words) prints no verdict.\n\n");
    Print(ExitStatusHelp);
}

struct ParseArgs {
    std::string Grammar;
    std::vector<std::string> Words;
    uint8_t Options = DefaultParseOptions;
    std::size_t MaxTrees = SIZE_MAX;
    BigUint FirstTree; // 0-based
    std::optional<BigUint> LastTree;
    bool Ambiguities = false;
    bool Count = false;
};

// Reads "K" or "K..L" (tree numbers from 1, K <= L) into 0-based first and last.
bool ReadTreeRange(const std::string& text, BigUint& first, std::optional<BigUint>& last) {
    const std::size_t dots = text.find("..");
    BigUint from;
    BigUint to;
    if (dots == std::string::npos) {
        if (!BigUint::FromString(text, from)) return false;
        to = from;
    } else if (!BigUint::FromString(text.substr(0, dots), from) ||
               !BigUint::FromString(text.substr(dots + 2), to)) {
        return false;
    }
    if (from.IsZero() || to < from) return false;
    from -= BigUint(1);
    to -= BigUint(1);
    first = from;
    last = to;
    return true;
}

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
        } else if (arg == "--tree" || arg.compare(0, 7, "--tree=") == 0) {
            std::string value;
            if (arg == "--tree") {
                if (i + 1 == args.size()) {
                    error = UsageError("parse", "--tree needs a tree number or a range K..L");
                    return std::nullopt;
                }
                value = args[++i];
            } else {
                value = arg.substr(7);
            }
            if (!ReadTreeRange(value, parsed.FirstTree, parsed.LastTree)) {
                error = UsageError("parse", "--tree takes a tree number K or a range K..L of "
                                            "numbers from 1 with K <= L, not '" +
                                                value + "'");
                return std::nullopt;
            }
        } else if (arg == "--ambiguities") {
            parsed.Ambiguities = true;
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

// True when every text a tree can hold is ASCII: the tree texts can then be written
// without conversion.
bool AsciiGrammar(const TParser& parser) {
    for (const TParsLine& rule : parser.Rules) {
        if (!IsAscii(rule.Line.Left.Text)) return false;
        for (const TElemNode& symbol : rule.Line.Right)
            if (!IsAscii(symbol.Text)) return false;
    }
    return true;
}

// Prints the verdict, and after an acceptance the trace list as a block of its own.
void PrintVerdict(bool accepted, const TParser& parser) {
    PrintLine(accepted ? MsgParsingSuccessful : MsgParsingFailed);
    if (!accepted || parser.TraceLines.empty()) return;
    PrintLine("");
    for (const std::string& line : parser.TraceLines)
        PrintLine(line);
}

// Holds the messages of the grammar check, which are printed with the file's name
// and the rule's line once the check has ended; afterwards passes messages straight
// to the terminal.
class ParseCommandSink final : public MessageSink {
public:
    void Show(MessageKind kind, const std::string& text) override {
        if (Direct)
            Terminal.Show(kind, text);
        else
            Held.Show(kind, text);
    }
    RecordingSink Held;
    TerminalSink Terminal;
    bool Direct = false;
};

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
    RecordingSink fileSink;
    std::vector<std::string> lines;
    if (!ReadCfgLines(path, lines, fileSink)) {
        PrintFileMessages(path, 0, fileSink);
        return ExitError;
    }
    ParseCommandSink sink;
    ApproxTextMeasurer measurer; // parse trees are printed, never drawn
    TParseSheet sheet(sink, measurer);
    switch (sheet.PrepareParse(lines, *sentence)) {
    case TParseStart::Ready:
        break;
    case TParseStart::NoGrammar:
        PrintFileMessages(path, 0, sink.Held);
        return ExitError;
    case TParseStart::NoText:
        for (const RecordingSink::Entry& entry : sink.Held.Entries())
            sink.Terminal.Show(entry.Kind, entry.Text);
        return ExitError;
    case TParseStart::GrammarError:
        PrintFileMessages(path, sheet.ErrorSourceLine() + 1, sink.Held);
        return ExitError;
    }
    sink.Direct = true;
    sheet.Options.SetOptions(parsed->Options);

    const TParser& parser = sheet.Parser;
    TParseRequest request;
    request.MaxParseTrees = parsed->MaxTrees;
    if (parsed->LastTree) {
        // --tree implies the trees, however the option byte says.
        sheet.Options.SetOptions(static_cast<uint8_t>(parsed->Options | poParseTrees));
        // A tree number past the last tree is an error of the command line, not a
        // verdict on the sentence: it is refused before parsing.
        const std::optional<BigUint> count =
            CountParseTrees(sheet.Parser, {*sentence}, parsed->Options);
        if (count && !count->IsZero() && !(parsed->FirstTree < *count)) {
            BigUint number = parsed->FirstTree;
            number += BigUint(1);
            sink.Terminal.Error(MsgNoSuchTree(number.ToString(), count->ToString()));
            return ExitError;
        }
        request.FirstTree = parsed->FirstTree;
        BigUint wanted = *parsed->LastTree;
        wanted -= parsed->FirstTree;
        wanted += BigUint(1);
        uint64_t range = 0;
        if (wanted.ToU64(range) && range < request.MaxParseTrees)
            request.MaxParseTrees = static_cast<std::size_t>(range);
    }
    request.CountTrees = false;
    request.ReportTraceOverflow = false;
    // The trees go out as they are found; the verdict and the trace list, complete by
    // then, go before the first of them.
    bool verdictPrinted = false;
    const bool ascii = AsciiGrammar(parser);
    TextOutput& out = StdOut();
    request.OnParseTree = [&](const std::string& tree) {
        if (!verdictPrinted) {
            PrintVerdict(true, parser);
            out.Put('\n');
            verdictPrinted = true;
        }
        if (ascii)
            out.Write(tree);
        else
            out.Write(Cp1252ToUtf8(tree));
        out.Put('\n');
        return !out.Failed();
    };
    const TParseOutcome outcome = sheet.RunParse(*sentence, request);
    if (outcome.Verdict == TParseVerdict::Refused) return ExitError;
    const bool accepted = outcome.Accepted();
    if (!verdictPrinted) PrintVerdict(accepted, parser);
    if (accepted && outcome.TraceOverflowed)
        sink.Terminal.Warning("the trace list reached its memory limit and was cut short; its "
                              "last line says after how many lines");
    if (parsed->Ambiguities && accepted) {
        std::vector<std::string> ambiguities;
        if (!ListAmbiguities(sheet.Parser, {*sentence}, parsed->Options, ambiguities))
            return ExitError;
        if (!ambiguities.empty()) PrintLine("");
        for (const std::string& line : ambiguities)
            PrintLine(ascii ? line : Cp1252ToUtf8(line));
    }
    if (parsed->Count) {
        // A pass of its own over the chart: the parse above stays exactly the one the
        // option byte asks for.
        const std::optional<BigUint> count =
            CountParseTrees(sheet.Parser, {*sentence}, parsed->Options);
        if (count) {
            PrintLine("");
            PrintLine(count->ToString());
        }
    }
    if (out.Failed()) return ExitError;
    if (verdictPrinted && !accepted) return ExitError; // trees printed, then an error
    return accepted ? ExitOk : ExitRejected;
}

const CommandRegistration Registration({"parse", "parse a sentence and print the trace and trees",
                                        RunParse});

} // namespace
} // namespace gramarbor::cli
