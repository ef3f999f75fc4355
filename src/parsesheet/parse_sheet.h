// What the parsing page keeps, without any toolkit: the option byte and its controls,
// the grammar store, the check and the parse with their messages, the parse trees
// with the tree stepped to, and the in/out history. The desktop program shows it;
// the command-line tool runs the same check and parse.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/big_uint.h"
#include "base/cancel_token.h"
#include "base/message_sink.h"
#include "grammar/grammar_store.h"
#include "grammar/prepare_grammar.h"
#include "parsesheet/ambiguity_list.h"
#include "parsesheet/parse_controls.h"
#include "parsing/parse_run.h"
#include "parsing/partial_analysis.h"
#include "picture/text_measurer.h"
#include "tree/tree.h"

namespace gramarbor {

inline const std::string MsgNoTextToParse = "You have not entered a text to parse.";
// "Please enter a tree number from 1 to 14."
inline std::string MsgTreeNumberRange(const std::string& count) {
    return "Please enter a tree number from 1 to " + count + ".";
}
inline const std::string MsgEmptyTreeNotSaved = "An empty tree will not be saved.";
// Shown when the user stops a parse.
inline const std::string MsgParsingCancelled =
    "Parsing was cancelled. The sentence was neither accepted nor rejected.";

// How many parse trees are kept to be stepped through; all are counted.
inline constexpr std::size_t ParseTreeWindow = DefaultMaxParseTrees;

// Why a parse did not start, or that it can.
enum class TParseStart { Ready, NoGrammar, NoText, GrammarError };

enum class TParseVerdict { Accepted, Rejected, Cancelled, Refused };

struct TParseOutcome {
    TParseVerdict Verdict = TParseVerdict::Refused;
    bool Accepted() const { return Verdict == TParseVerdict::Accepted; }
    // The exact number of parse trees in decimal (when trees were asked for and
    // counted), and whether fewer of them are kept.
    std::string TreeCount;
    bool TreesTruncated = false;
    // The trace list reached its memory limit and was cut short.
    bool TraceOverflowed = false;
    // The first parse tree was read and drawn into ParseTree.
    bool TreeShown = false;
};

// Runs the search and returns its result. The desktop program runs it on a worker
// thread and shows a progress window meanwhile; without one it runs at once.
using TSearchRunner = std::function<bool(const std::function<bool()>& search)>;

// How one parse runs: all optional.
struct TParseRequest {
    // Set from elsewhere to stop the search (the run is then Cancelled).
    CancelToken* Cancel = nullptr;
    TSearchRunner Runner;
    // Trees handed over as they are found instead of being kept.
    TParseTreeVisitor OnParseTree;
    std::size_t MaxParseTrees = ParseTreeWindow;
    // The 0-based number of the first tree to make; the trees before it are skipped
    // without being built.
    BigUint FirstTree;
    bool CountTrees = true;
    // Whether a full trace list is also reported with the memory message.
    bool ReportTraceOverflow = true;
    // Whether an accepted parse with trees also lists its ambiguous spans (into the
    // sheet's Ambiguities), as part of the search.
    bool ListAmbiguities = false;
    // Whether the steps of the trace lines are kept (TParseSheet::TraceHistory), so
    // that the partial analysis at each line can be shown.
    bool KeepTraceSteps = false;
};

// The parse itself (ParseSentence unless replaced).
using TParseSearch =
    std::function<bool(TParser&, const std::vector<std::string>&, uint8_t, TParseRun&)>;

class TParseSheet {
public:
    // Messages go to sink; measurer sizes the texts of the parse-tree drawing.
    TParseSheet(MessageSink& sink, TextMeasurer& measurer);
    TParseSheet(const TParseSheet&) = delete;
    TParseSheet& operator=(const TParseSheet&) = delete;

    // Option byte and option controls.
    TParseOptionState Options;
    uint8_t ParseOptions() const { return Options.Options(); }

    // Grammar store and the rule lines of the last check.
    TParser Parser;
    TGrammarLines GrammarLines;

    // "Check CFG" on the grammar text's lines (none for an empty text). True when the
    // grammar is valid; otherwise the message has gone out (and for a faulty rule
    // ErrorSourceLine says where it is).
    bool Check(const std::vector<std::string>& sourceLines);
    // Reads the grammar text without normalising it, as "Make RTN" converts the rules
    // as written; true when it was read without error.
    bool ReadGrammar(const std::vector<std::string>& sourceLines);
    // The listing of the internal grammar checked last.
    std::vector<std::string> InternalListing() const;
    // The 0-based line of the grammar text holding the rule that failed the check
    // (-1 when no rule line is to blame).
    int ErrorSourceLine() const;

    // The first steps of "Parse CFG": a grammar text and a sentence exist and the
    // grammar is valid. Anything else is reported and stops the parse.
    TParseStart PrepareParse(const std::vector<std::string>& sourceLines,
                             const std::string& sentence);
    // Parses the sentence with the grammar prepared last. The trace list and the parse
    // trees are then in Parser; after an acceptance with trees the first tree is
    // stepped to.
    TParseOutcome RunParse(const std::string& sentence, const TParseRequest& request = {});
    // Both in one.
    TParseOutcome Parse(const std::vector<std::string>& sourceLines, const std::string& sentence,
                        const TParseRequest& request = {});
    // The parse the sheet runs; tests replace it.
    TParseSearch Search;
    // The steps of the trace list of the last parse that showed one, when the request
    // asked for them (empty otherwise).
    TTraceHistory TraceHistory;

    // Reports the verdict as the desktop program shows it: "Parsing failed!", the
    // cancel message, and "Parsing successful!" when no result page shows it.
    void ReportOutcome(const TParseOutcome& outcome);

    // Which result pages a parse filled: the trace list (with the internal listing
    // beside it) and the parse trees.
    bool ShowsTrace(const TParseOutcome& outcome) const;
    bool ShowsTrees(const TParseOutcome& outcome) const;

    // Parse trees: the number text (the exact count), the tree stepped to ("1".."n",
    // "-" without trees) and the last of the trees kept. Every tree can be stepped
    // to by its number: past the trees kept it is found from the chart.
    const std::vector<std::string>& ParseTrees() const { return Parser.GetParseTrees(); }
    const std::string& TreeCountText() const { return CountText; }
    std::string CurrentTreeText() const;
    int LastTreePosition() const;
    int TreePosition() const { return Position; }
    // Reads and draws tree position into ParseTree; false (the tree has said why)
    // when it cannot be read or drawn, or there is no such tree.
    bool StepTo(int position);
    // The same for any tree by its 0-based number, up to TreeTotal.
    bool StepToNumber(const BigUint& number);
    // The "Current tree" field: steps to the tree with the typed number (from 1);
    // anything else is refused with a message saying which numbers there are.
    bool StepToTyped(const std::string& text);
    // Moves delta trees on (or back), staying within the trees.
    bool StepBy(int delta);
    const BigUint& TreeTotal() const { return Total; }
    const BigUint& TreeNumber() const { return Number; }
    bool AtFirstTree() const { return Number.IsZero(); }
    bool AtLastTree() const;
    // The parse tree drawn last, with the trees sheet's display defaults. A tree
    // stepped to from another has its nodes that the other lacks (see TNodeShapes)
    // drawn bold and framed; ChangedNodes tells how many.
    TTree ParseTree;
    std::size_t ChangedNodes() const { return ChangedCount; }

    // Where the trees of the sentence parsed last differ, when the request asked.
    TAmbiguityList Ambiguities;
    // Steps to the first tree with the reading on line of the ambiguity list; false
    // (the list's note says why) when there is none.
    bool StepToReading(std::size_t line);
    // Whether there is a parse tree to save; without one the message says so.
    bool CanSaveParseTree();
    // "Save tree" of the parse tree drawn last; false when it could not be saved.
    bool SaveParseTree(const std::string& path);

    // The in/out history and its text length.
    std::vector<std::string> History;
    int MaxTextLength = 255;
    void RecordInput(const std::string& text);

private:
    void ShowParseTrees(TParseOutcome& outcome);
    bool ShowTreeText(const std::string& text);
    // The text of tree number from the chart of the sentence parsed last.
    bool FindTreeText(const BigUint& number, std::string& text);

    MessageSink& Sink;
    TextMeasurer& Measurer;
    std::string CountText = "0";
    int Position = -1;
    BigUint Total;
    BigUint Number;
    // Whether the next tree shown is compared with the one shown now (not after a parse).
    bool CompareWithShown = false;
    std::size_t ChangedCount = 0;
    // The sentence and options of the last parse, for finding trees past those kept.
    std::vector<std::string> LastSentence;
    uint8_t LastOptions = 0;
};

} // namespace gramarbor
