// Grammar text through the check in both modes, the parse of a sentence with every
// option byte under a time budget (compared with the literal leftmost enumeration of
// the parsing tests), and the
// conversion CFG -> RTN -> CFG.
//
// Input: the option byte, then the grammar text up to a NUL byte, then the sentence
// (its first line, at most MaxSentence characters; none, or a NUL byte followed by
// choices, parses a sentence derived from the grammar).
#include <string>
#include <vector>

#include "base/large_stack.h"
#include "base/message_sink.h"
#include "fuzz_support.h"
#include "grammar/prepare_grammar.h"
#include "parsing/chart_trees.h"
#include "parsing/parse_driver.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"
#include "parsing/parse_trees.h"
#include "parsing/trace_lines.h"
#include "parsing/unit_cycles.h"
#include "reference_enumeration.h"
#include "rtn/cfg_to_rtn.h"
#include "rtn/rtn_file.h"
#include "rtn/rtn_to_cfg.h"
#include "text/scanner.h"
#include "text/text_utils.h"

using namespace gramarbor;

namespace {

constexpr std::size_t MaxSentence = 48;
constexpr int SearchMilliseconds = 100;

// A refused check must say why; an accepted one says nothing.
void CheckOutcome(bool ok, const TParser& parser, const RecordingSink& sink) {
    FUZZ_CHECK(ok == (parser.ErrorLine == -1), "result and ErrorLine disagree");
    if (ok)
        FUZZ_CHECK(sink.Empty(), "a valid grammar gave the message " + sink.Last());
    else
        FUZZ_CHECK(!sink.Empty(), "a refused grammar gave no message");
}

// The internal CFG after a successful full check.
void CheckInternalGrammar(const TParser& parser, std::size_t ruleLines) {
    FUZZ_CHECK(!parser.Rules.empty(), "valid grammar without rules");
    FUZZ_CHECK(ruleLines > 0, "valid grammar from no rule lines");
    FUZZ_CHECK(parser.StartLine >= 0 &&
                   static_cast<std::size_t>(parser.StartLine) < parser.Rules.size(),
               "start rule out of range");
    for (const TParsLine& rule : parser.Rules) {
        FUZZ_CHECK(rule.Line.Left.SymKind == ekNonTerminal, "left side is not a nonterminal");
        FUZZ_CHECK(!rule.Line.Right.empty(), "rule with an empty right side");
        bool terminals = false;
        bool nonterminals = false;
        for (const TElemNode& e : rule.Line.Right) {
            FUZZ_CHECK(e.Construct == ctSimple, "complex element left after expansion");
            FUZZ_CHECK(e.SymKind != ekAltList, "list of alternatives left after expansion");
            (e.SymKind == ekNonTerminal ? nonterminals : terminals) = true;
        }
        FUZZ_CHECK(!(terminals && nonterminals), "rule mixes terminals and nonterminals");
        FUZZ_CHECK(rule.Line.Lexical == !nonterminals, "wrong lexical flag");
    }
}

// CFG -> RTN -> CFG -> RTN gives the same network, which also survives its file form.
void CheckRtnRoundTrip(const TParser& parser) {
    std::optional<TRuleList> rules = CopyRulesUnexpanded(parser);
    FUZZ_CHECK(rules.has_value(), "rules of a read grammar cannot be copied");
    RecordingSink sink;
    TRtn rtn;
    if (!CfgToRtn(*rules, rtn, sink)) {
        FUZZ_CHECK(!sink.Empty() && rtn.empty(), "refused conversion without message");
        return;
    }
    for (const TRTNLine& net : rtn)
        FUZZ_CHECK(NetIsWellFormed(net), "conversion made a damaged net " + net.Name);

    TRtnFileOptions options;
    TRtn loaded;
    TRtnFileOptions loadedOptions;
    RecordingSink fileSink;
    FUZZ_CHECK(ReadRtnBytes(WriteRtnBytes(rtn, options), loaded, loadedOptions, fileSink),
               "a converted network does not read back: " + fileSink.Last());
    FUZZ_CHECK(loaded == rtn, "the network changed in its file form");

    std::vector<std::string> lines;
    RecordingSink back;
    if (!RtnToCfgLines(rtn, lines, back)) return;
    RecordingSink again;
    TParser reread(again);
    if (!PrepareGrammar(reread, lines, false)) return;
    std::optional<TRuleList> rules2 = CopyRulesUnexpanded(reread);
    FUZZ_CHECK(rules2.has_value(), "rules of a read grammar cannot be copied");
    TRtn rtn2;
    RecordingSink sink2;
    FUZZ_CHECK(CfgToRtn(*rules2, rtn2, sink2), "the grammar written from a network does not "
                                               "convert back: " +
                                                   sink2.Last());
    FUZZ_CHECK(rtn2 == rtn, "CFG -> RTN -> CFG -> RTN changed the network");
}

// A sentence of the grammar (when the input brings none): a leftmost derivation
// from the start rule whose choices come from seed, cut off after a few steps.
std::string DeriveSentence(const TParser& parser, std::string_view seed) {
    std::vector<const TElemNode*> rest;
    const auto& start = parser.Rules[static_cast<std::size_t>(parser.StartLine)].Line.Right;
    for (auto e = start.rbegin(); e != start.rend(); ++e)
        rest.push_back(&*e);
    std::string sentence;
    std::size_t choice = 0;
    for (int steps = 0; !rest.empty() && steps < 200; ++steps) {
        const TElemNode* e = rest.back();
        rest.pop_back();
        if (e->SymKind != ekNonTerminal) {
            if (!sentence.empty()) sentence += ' ';
            sentence += e->SymKind == ekTerminal ? e->Text
                        : e->SymKind == ekIdent  ? std::string("x")
                        : e->SymKind == ekFloat  ? std::string("1.5")
                                                 : std::string("7");
            continue;
        }
        std::vector<std::size_t> rules;
        for (std::size_t r = 0; r < parser.Rules.size(); ++r)
            if (parser.Rules[r].Line.Left.Text == e->Text) rules.push_back(r);
        if (rules.empty() || rest.size() > 16) return sentence;
        const uint8_t pick = seed.empty() ? 0 : static_cast<uint8_t>(seed[choice++ % seed.size()]);
        const auto& right = parser.Rules[rules[pick % rules.size()]].Line.Right;
        for (auto r = right.rbegin(); r != right.rend(); ++r)
            rest.push_back(&*r);
    }
    return sentence;
}

// The trees for a message.
std::string Joined(const std::vector<std::string>& trees) {
    std::string text;
    for (const std::string& tree : trees)
        text += (text.empty() ? "" : " | ") + tree;
    return text;
}

// The trees of rule paths for a message.
std::string Joined(const std::vector<TRulePath>& paths, const TParser& parser) {
    std::string text;
    for (const TRulePath& path : paths)
        text += (text.empty() ? "" : " | ") + PathToBracketText(parser, path);
    return text;
}

// The same parse with the trees handed over one at a time gives the same verdict, the
// same texts in the same order and the same trace; the count from the chart alone
// agrees with the one made with the trees.
void CheckStreamedTrees(TParser& parser, const std::vector<std::string>& sentence, uint8_t options,
                        bool accepted, const std::vector<std::string>& trees,
                        const TParseRun& stored) {
    const std::vector<std::string> trace = parser.TraceLines;
    CancelToken cancel;
    TParseRun run;
    run.Cancel = &cancel;
    run.MaxTraceBytes = stored.MaxTraceBytes;
    run.MaxParseTrees = stored.MaxParseTrees;
    std::vector<std::string> streamed;
    run.OnParseTree = [&](const std::string& text) {
        streamed.push_back(text);
        return true;
    };
    bool result = false;
    {
        fuzz::Watchdog watchdog(cancel, SearchMilliseconds);
        result = ParseSentence(parser, sentence, options, run);
    }
    if (run.Cancelled) return;
    FUZZ_CHECK(parser.ParseTrees.empty(), "streamed trees were also kept");
    FUZZ_CHECK(streamed == trees, "streamed trees differ from the kept ones: " + Joined(streamed) +
                                      " / " + Joined(trees));
    FUZZ_CHECK(result == accepted, "streaming the trees changed the verdict");
    FUZZ_CHECK(run.TreesTruncated == stored.TreesTruncated, "tree limits reached differently");
    if (accepted) FUZZ_CHECK(parser.TraceLines == trace, "streaming the trees changed the trace");
    const std::optional<BigUint> count = CountParseTrees(parser, sentence, options);
    FUZZ_CHECK(count.has_value(), "trees were enumerated but cannot be counted");
    FUZZ_CHECK(*count == stored.TreeCount, "the separate count differs from the tree step's");
    if (!stored.TreesTruncated)
        FUZZ_CHECK(*count == BigUint(trees.size()), "the count differs from the trees listed");
}

void CheckParse(TParser& parser, const std::vector<std::string>& sentence, uint8_t options) {
    RecordingSink& sink = static_cast<RecordingSink&>(*parser.Sink);
    sink.Clear();
    CancelToken cancel;
    TParseRun run;
    run.Cancel = &cancel;
    run.MaxTraceBytes = std::size_t(1) << 16;
    run.MaxParseTrees = 500;
    bool accepted = false;
    {
        fuzz::Watchdog watchdog(cancel, SearchMilliseconds);
        accepted = ParseSentence(parser, sentence, options, run);
    }
    if (run.Cancelled) {
        FUZZ_CHECK(!accepted, "a cancelled parse accepted");
        FUZZ_CHECK(parser.TraceLines.empty() && parser.ParseTrees.empty(),
                   "a cancelled parse left results");
        return;
    }
    if (run.Refused) {
        FUZZ_CHECK(!accepted, "a refused parse accepted");
        // The refusal is the last message (the scanner's set-up may have spoken before).
        const std::string why = sink.Last();
        FUZZ_CHECK(why.rfind(MsgTokenListIncomplete, 0) == 0 ||
                       why.find("cycle, so parsing would never end.") != std::string::npos,
                   "a refused parse did not end with its reason: " + why);
        FUZZ_CHECK(parser.TraceLines.empty() && parser.ParseTrees.empty(),
                   "a refused parse left results");
        return;
    }
    // A trace cut short keeps its lines within the limit and ends with one line
    // that says so.
    std::size_t traceBytes = 0;
    for (std::size_t i = 0; i + (run.TraceOverflowed ? 1 : 0) < parser.TraceLines.size(); ++i)
        traceBytes += parser.TraceLines[i].size();
    FUZZ_CHECK(traceBytes <= run.MaxTraceBytes, "trace list beyond its limit");
    if (run.TraceOverflowed && !parser.TraceLines.empty())
        FUZZ_CHECK(parser.TraceLines.back() ==
                       TraceCutShortLine(parser.TraceLines.size() - 1, run.MaxTraceBytes),
                   "a trace cut short does not end with the line that says so");
    FUZZ_CHECK(parser.ParseTrees.size() <= run.MaxParseTrees, "more parse trees than the limit");

    if (!accepted)
        FUZZ_CHECK(parser.ParseTrees.empty() || (options & poParseTrees) != 0,
                   "rejected parse kept parse trees");

    // Compare with the literal leftmost enumeration (the reference the chart-based
    // trees must equal) when the parse ran to its end undisturbed.
    for (const RecordingSink::Entry& message : sink.Entries())
        if (!(message.Text == MsgParserMemory && run.TraceOverflowed)) return;
    if (!FindUnitCycle(parser, UnitCycleScope::Both).empty()) return;
    const bool trees = (options & poParseTrees) != 0;
    const std::vector<std::string> found = parser.ParseTrees;
    const bool truncated = run.TreesTruncated;
    if (trees) CheckStreamedTrees(parser, sentence, options, accepted, found, run);
    TParseRun reference;
    CancelToken referenceCancel;
    reference.Cancel = &referenceCancel;
    reference.MaxParseTrees = run.MaxParseTrees;
    if (!BeginParseRun(parser, sentence, options, reference)) return;
    std::vector<TRulePath> paths;
    bool enumerated = false;
    {
        fuzz::Watchdog watchdog(referenceCancel, SearchMilliseconds);
        RunWithLargeStack([&] {
            enumerated = testing::EnumerateParses(
                parser, trees ? options : static_cast<uint8_t>(options & ~poParseTrees), reference,
                paths);
        });
    }
    reference.Scanner.Done();
    if (!enumerated || reference.Cancelled) return;
    if (trees || (options & poTraceList) == 0)
        FUZZ_CHECK(accepted == !paths.empty(), std::string("the parse ") +
                                                   (accepted ? "accepts" : "rejects") +
                                                   " but the leftmost enumeration does not");
    if (!trees) return;
    FUZZ_CHECK(truncated == reference.TreesTruncated, "tree limits reached differently");
    FUZZ_CHECK(found.size() == paths.size(), "the parse kept " + std::to_string(found.size()) +
                                                 " trees, the enumeration " +
                                                 std::to_string(paths.size()) + ": " +
                                                 Joined(found) + " / " + Joined(paths, parser));
    for (std::size_t i = 0; i < found.size(); ++i)
        FUZZ_CHECK(found[i] == PathToBracketText(parser, paths[i]),
                   "parse tree " + std::to_string(i) + " differs from the enumeration's");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::AsText(data, size);
    const uint8_t options = fuzz::TakeByte(input);
    const std::vector<std::string> lines = fuzz::Lines(fuzz::TakeUntilNul(input));
    const std::string_view sentenceText = input;

    RecordingSink sink;
    TParser parser(sink);
    TGrammarLines selected;
    const bool read = PrepareGrammar(parser, lines, false, &selected);
    CheckOutcome(read, parser, sink);
    if (read) CheckRtnRoundTrip(parser);

    sink.Clear();
    const bool valid = PrepareGrammar(parser, lines, true, &selected);
    CheckOutcome(valid, parser, sink);
    if (!read) FUZZ_CHECK(!valid, "the full check accepts what reading refuses");
    if (!valid) return 0;
    CheckInternalGrammar(parser, selected.GrammarLines.size());
    // Without a sentence, or with one that starts with a NUL byte, parse a sentence
    // of the grammar itself (chosen by the bytes that follow).
    std::vector<std::string> sentence = fuzz::Lines(sentenceText);
    if (sentenceText.empty() || sentenceText.front() == '\0')
        sentence = {DeriveSentence(parser, sentenceText)};
    if (sentence.empty()) sentence.emplace_back();
    sentence.resize(1);
    if (sentence[0].size() > MaxSentence) sentence[0].resize(MaxSentence);
    CheckParse(parser, sentence, options);
    return 0;
}
