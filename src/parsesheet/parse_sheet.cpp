// The parsing page's model: check, parse, results, tree stepping and history.
#include "parsesheet/parse_sheet.h"

#include <algorithm>
#include <climits>
#include <mutex>
#include <new>

#include "grammar/grammar_messages.h"
#include "grammar/rule_listing.h"
#include "parsesheet/input_history.h"
#include "parsing/chart_trees.h"
#include "parsing/parse_driver.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"
#include "text/text_utils.h"
#include "tree/canvas_measurer.h"
#include "tree/tree_changes.h"

namespace gramarbor {

namespace {

// Parse trees are drawn as the trees sheet draws by default.
constexpr int32_t TreeHDist = 64;
constexpr int32_t TreeVDist = 64;
constexpr uint8_t TreeSheetOptions = toFrames | toTriangles | toArrows;
// Margins of a drawn parse tree.
constexpr int32_t TreeMargin = 4;
// The nodes a tree changes from the one shown before are bold in a round frame.
constexpr int ChangedNodeFrame = 2;

// Holds the messages of a search that runs on another thread until it has ended.
class DeferredSink final : public MessageSink {
public:
    void Show(MessageKind kind, const std::string& text) override {
        std::lock_guard<std::mutex> lock(Guard);
        Entries.push_back({kind, text});
    }
    void PassOn(MessageSink& sink) {
        std::vector<RecordingSink::Entry> taken;
        {
            std::lock_guard<std::mutex> lock(Guard);
            taken.swap(Entries);
        }
        for (const auto& entry : taken)
            sink.Show(entry.Kind, entry.Text);
    }

private:
    std::mutex Guard;
    std::vector<RecordingSink::Entry> Entries;
};

} // namespace

TParseSheet::TParseSheet(MessageSink& sink, TextMeasurer& measurer)
    : Options(DefaultParseOptions), Parser(sink), ParseTree(true, sink), Sink(sink),
      Measurer(measurer) {
}

bool TParseSheet::Check(const std::vector<std::string>& sourceLines) {
    if (sourceLines.empty()) {
        Sink.Error(MsgDefineCfgFirst);
        return false;
    }
    return PrepareGrammar(Parser, sourceLines, true, &GrammarLines);
}

bool TParseSheet::ReadGrammar(const std::vector<std::string>& sourceLines) {
    return PrepareGrammar(Parser, sourceLines, false, &GrammarLines);
}

std::vector<std::string> TParseSheet::InternalListing() const {
    return ShowInternal(Parser);
}

int TParseSheet::ErrorSourceLine() const {
    return GrammarLines.SourceLineOf(Parser.GetErrorLine());
}

TParseStart TParseSheet::PrepareParse(const std::vector<std::string>& sourceLines,
                                      const std::string& sentence) {
    if (sourceLines.empty()) {
        Sink.Error(MsgDefineCfgFirst);
        return TParseStart::NoGrammar;
    }
    if (sentence.empty()) {
        Sink.Error(MsgNoTextToParse);
        return TParseStart::NoText;
    }
    return PrepareGrammar(Parser, sourceLines, true, &GrammarLines) ? TParseStart::Ready
                                                                    : TParseStart::GrammarError;
}

TParseOutcome TParseSheet::RunParse(const std::string& sentence, const TParseRequest& request) {
    const std::vector<std::string> sentenceLines{sentence};
    const uint8_t options = ParseOptions();
    LastSentence = sentenceLines;
    LastOptions = options;
    TParseRun run;
    run.Cancel = request.Cancel;
    run.MaxParseTrees = request.MaxParseTrees;
    run.FirstTree = request.FirstTree;
    run.CountTrees = request.CountTrees;
    run.ReportTraceOverflow = request.ReportTraceOverflow;
    run.OnParseTree = request.OnParseTree;
    run.KeepTraceSteps = request.KeepTraceSteps && (options & poTraceList) != 0;
    TraceHistory.Clear();
    DeferredSink held;
    Ambiguities.Clear();
    const auto search = [&] {
        try {
            const bool found = Search ? Search(Parser, sentenceLines, options, run)
                                      : ParseSentence(Parser, sentenceLines, options, run);
            if (found && !run.Cancelled && request.ListAmbiguities && (options & poParseTrees)) {
                BigUint trees = run.TreeCount;
                if (!run.CountTrees)
                    trees = BigUint(run.TreesTruncated ? 2 : Parser.GetParseTrees().size());
                Ambiguities.Fill(Parser, sentenceLines, options, trees, run.Cancel);
            }
            return found;
        } catch (const std::bad_alloc&) {
            run.Messages(Parser).Error(MsgParserMemory);
            return false;
        }
    };
    bool accepted = false;
    if (request.Runner) {
        // The search reports from another thread: its messages wait until it ended.
        run.Sink = &held;
        accepted = request.Runner(search);
        held.PassOn(Sink);
    } else {
        accepted = search();
    }
    TParseOutcome outcome;
    outcome.Verdict = run.Cancelled ? TParseVerdict::Cancelled
                      : run.Refused ? TParseVerdict::Refused
                      : accepted    ? TParseVerdict::Accepted
                                    : TParseVerdict::Rejected;
    outcome.TreeCount = run.TreeCount.ToString();
    outcome.TreesTruncated = run.TreesTruncated;
    outcome.TraceOverflowed = run.TraceOverflowed;
    if (outcome.Verdict == TParseVerdict::Rejected && request.ListAmbiguities &&
        (options & poParseTrees))
        Ambiguities.SetNoTrees();
    if (ShowsTrace(outcome)) {
        try {
            TakeTraceHistory(Parser, run, options, TraceHistory);
        } catch (const std::bad_alloc&) {
            // The trace is shown all the same, without its partial analyses.
            TraceHistory.Clear();
        }
    }
    if (ShowsTrees(outcome)) ShowParseTrees(outcome);
    return outcome;
}

TParseOutcome TParseSheet::Parse(const std::vector<std::string>& sourceLines,
                                 const std::string& sentence, const TParseRequest& request) {
    if (PrepareParse(sourceLines, sentence) != TParseStart::Ready) return {};
    RecordInput(sentence);
    return RunParse(sentence, request);
}

void TParseSheet::ReportOutcome(const TParseOutcome& outcome) {
    switch (outcome.Verdict) {
    case TParseVerdict::Cancelled:
        Sink.Information(MsgParsingCancelled);
        break;
    case TParseVerdict::Refused: // the refusal has said why
        break;
    case TParseVerdict::Rejected:
        Sink.Error(MsgParsingFailed);
        break;
    case TParseVerdict::Accepted:
        if (!(ParseOptions() & (poTraceList | poParseTrees)))
            Sink.Information(MsgParsingSuccessful);
        break;
    }
}

bool TParseSheet::ShowsTrace(const TParseOutcome& outcome) const {
    return outcome.Accepted() && (ParseOptions() & poTraceList);
}

bool TParseSheet::ShowsTrees(const TParseOutcome& outcome) const {
    return outcome.Accepted() && (ParseOptions() & poParseTrees);
}

void TParseSheet::ShowParseTrees(TParseOutcome& outcome) {
    TNodeAttr defaults = DefaultNodeAttr();
    defaults.Flags = naLeft | naAnnoBrackets;
    ParseTree.SetParams(TreeHDist, TreeVDist, "Arial", TreeSheetOptions, defaults);
    const std::size_t count = ParseTrees().size();
    // The exact number of trees: all of them can be stepped through.
    Total = BigUint(count);
    if (outcome.TreesTruncated && !BigUint::FromString(outcome.TreeCount, Total))
        Total = BigUint(count);
    CountText = Total.ToString();
    Number = BigUint();
    Position = count > 0 ? 0 : -1;
    CompareWithShown = false;
    outcome.TreeShown = count > 0 && StepTo(0);
}

std::string TParseSheet::CurrentTreeText() const {
    if (Position < 0 || ParseTrees().empty()) return "-";
    BigUint shown = Number;
    shown += BigUint(1);
    return shown.ToString();
}

int TParseSheet::LastTreePosition() const {
    const std::size_t count = ParseTrees().size();
    // Positions are counted in int, so every tree kept can be reached.
    return count > 0 ? static_cast<int>(std::min<std::size_t>(count - 1, INT_MAX)) : 0;
}

bool TParseSheet::AtLastTree() const {
    BigUint next = Number;
    next += BigUint(1);
    return !(next < Total);
}

bool TParseSheet::StepTo(int position) {
    return position >= 0 && StepToNumber(BigUint(static_cast<uint64_t>(position)));
}

bool TParseSheet::StepToNumber(const BigUint& number) {
    const std::vector<std::string>& trees = ParseTrees();
    if (trees.empty() || !(number < Total)) return false;
    uint64_t kept = 0;
    std::string found;
    if (number.ToU64(kept) && kept < trees.size()) {
        Position = static_cast<int>(kept);
        Number = number;
        return ShowTreeText(trees[kept]);
    }
    if (!FindTreeText(number, found)) return false;
    Number = number;
    return ShowTreeText(found);
}

bool TParseSheet::StepToTyped(const std::string& text) {
    if (ParseTrees().empty()) return false;
    BigUint number;
    if (!BigUint::FromString(TrimText(text), number) || number.IsZero() || Total < number) {
        Sink.Error(MsgTreeNumberRange(Total.ToString()));
        return false;
    }
    number -= BigUint(1);
    return StepToNumber(number);
}

bool TParseSheet::StepBy(int delta) {
    BigUint target = Number;
    if (delta < 0) {
        const BigUint back(static_cast<uint64_t>(-static_cast<int64_t>(delta)));
        if (target < back) return false;
        target -= back;
    } else {
        target += BigUint(static_cast<uint64_t>(delta));
    }
    return StepToNumber(target);
}

bool TParseSheet::ShowTreeText(const std::string& text) {
    // The tree shown so far, to mark what the new one changes.
    const TNodeShapes shown(CompareWithShown ? ParseTree.GetRoot() : nullptr);
    ChangedCount = 0;
    MeasuringCanvas screen(Measurer);
    if (!ParseTree.StrToTree(text)) {
        ParseTree.ResetError();
        return false;
    }
    if (!shown.Empty())
        for (TNode* node : shown.NodesNotIn(ParseTree.GetRoot())) {
            node->Attr.FontStyle |= fsBold;
            SetFrameIndex(node->Attr, ChangedNodeFrame);
            ++ChangedCount;
        }
    if (!ParseTree.Show(screen, TreeMargin, TreeMargin)) {
        ParseTree.ResetError();
        return false;
    }
    CompareWithShown = true;
    return true;
}

bool TParseSheet::StepToReading(std::size_t line) {
    BigUint number;
    if (ParseTrees().empty() || !Ambiguities.FirstTreeOf(line, number)) return false;
    // Choosing it again keeps the tree and its marks.
    return number == Number || StepToNumber(number);
}

bool TParseSheet::FindTreeText(const BigUint& number, std::string& text) {
    TParseRun run;
    run.FirstTree = number;
    run.MaxParseTrees = 1;
    run.CountTrees = false;
    run.OnParseTree = [&text](const std::string& tree) {
        text = tree;
        return false;
    };
    // Finding a tree leaves the results of the parse as they were.
    const bool parseFound = Parser.ParseFound;
    const bool ok = BeginParseRun(Parser, LastSentence, LastOptions, run) &&
                    ChartEnumerateTreeTexts(Parser, LastOptions, run) && run.TreesFound == 1;
    run.Scanner.Done();
    Parser.ParseFound = parseFound;
    return ok;
}

bool TParseSheet::CanSaveParseTree() {
    if (ParseTree.GetRoot()) return true;
    Sink.Error(MsgEmptyTreeNotSaved);
    return false;
}

bool TParseSheet::SaveParseTree(const std::string& path) {
    if (!CanSaveParseTree()) return false;
    if (ParseTree.SaveTree(path, ParseTree.GetRoot(), 1)) return true;
    ParseTree.ResetError();
    return false;
}

void TParseSheet::RecordInput(const std::string& text) {
    RecordInputHistory(History, text, MaxTextLength);
}

} // namespace gramarbor
