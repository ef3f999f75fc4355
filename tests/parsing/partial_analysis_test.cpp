// The partial analysis at a trace line: the expected trees are worked out by hand
// from the trace lines shown beside them.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "parsing/partial_analysis.h"
#include "parsing/trace_lines.h"
#include "parsing_test_support.h"

namespace gramarbor {
namespace {

using testing::ParseFixture;
using testing::PrepositionalGrammar;
using testing::QuickStartGrammar;
using Nodes = std::vector<std::size_t>;

constexpr uint8_t TopDownDepth = poTraceList | poTopDown | poDepthFirst;
constexpr uint8_t TopDownBreadth = poTraceList | poTopDown | poBreadthFirst;
constexpr uint8_t BottomUpDepth = poTraceList | poBottomUp | poDepthFirst;
constexpr uint8_t BottomUpBreadth = poTraceList | poBottomUp | poBreadthFirst;

const std::string QuickSentence = "the dog chases the cat";
const std::string PrepSentence = "the man sees the dog with the telescope";
// The parse tree of the quick-start sentence, and its nodes in pre-order:
// S0 NP1 DET2 the3 N4 dog5 VP6 V7 chases8 NP9 DET10 the11 N12 cat13.
const std::string QuickTree =
    "[S [NP [DET [the]] [N [dog]]] [VP [V [chases]] [NP [DET [the]] [N [cat]]]]]";

struct LineCase {
    // The trace line, tabs shown as "|": the pattern the tree below must end in.
    std::string Line;
    std::string Text;
    Nodes Pending;
    Nodes Matched;
    Nodes Step;
};

struct StrategyCase {
    const char* Name;
    const std::vector<std::string>* Grammar;
    const std::string* Sentence;
    uint8_t Options;
    std::vector<LineCase> Lines;
};

struct Traced : ParseFixture {
    TTraceHistory History;

    Traced(const std::vector<std::string>& grammar, const std::string& sentence, uint8_t options)
        : ParseFixture(grammar) {
        Run.KeepTraceSteps = true;
        Parsed = Parse(sentence, options);
        StepsBesideLines = Run.TraceSteps.Size() == Trace().size();
        TakeTraceHistory(Parser, Run, options, History);
    }
    bool Parsed = false;
    bool StepsBesideLines = false;
};

class PartialAnalysisAt : public ::testing::TestWithParam<StrategyCase> {};

TEST_P(PartialAnalysisAt, LinesGrowTheTreesWorkedOutByHand) {
    const StrategyCase& c = GetParam();
    Traced t(*c.Grammar, *c.Sentence, c.Options);
    ASSERT_TRUE(t.Checked);
    ASSERT_TRUE(t.Parsed);
    EXPECT_TRUE(t.StepsBesideLines) << "one step per line";
    EXPECT_EQ(t.History.Lines(), t.Trace().size());
    const std::vector<std::string> shown = testing::Shown(t.Trace());
    for (const LineCase& line : c.Lines) {
        const std::size_t number = std::stoul(line.Line.substr(0, line.Line.find('|')));
        ASSERT_LT(number, shown.size());
        EXPECT_EQ(shown[number], line.Line);
        const TPartialAnalysis a = BuildPartialAnalysis(t.History, number);
        ASSERT_TRUE(a.Built) << line.Line << ": " << a.Message;
        EXPECT_EQ(a.Text(), line.Text) << line.Line;
        EXPECT_EQ(a.Marked(nmPending), line.Pending) << line.Line;
        EXPECT_EQ(a.Marked(nmMatched), line.Matched) << line.Line;
        EXPECT_EQ(a.Marked(nmStep), line.Step) << line.Line;
    }
}

const std::vector<StrategyCase> Strategies = {
    {"TopDownDepthDetailed",
     &QuickStartGrammar,
     &QuickSentence,
     TopDownDepth,
     {{"0|-| S", "[S]", {0}, {}, {0}},
      {"1|0| NP VP", "[S [NP] [VP]]", {1, 2}, {}, {0, 1, 2}},
      {"4|4| the cat VP", "[S [NP [DET [the]] [N [cat]]] [VP]]", {6}, {3}, {4, 5}},
      {"5|5| the dog VP", "[S [NP [DET [the]] [N [dog]]] [VP]]", {6}, {3, 5}, {4, 5}},
      {"6|2| the dog V NP",
       "[S [NP [DET [the]] [N [dog]]] [VP [V] [NP]]]",
       {7, 8},
       {3, 5},
       {6, 7, 8}},
      {"10|4| the dog chases the cat", QuickTree, {}, {3, 5, 8, 11, 13}, {12, 13}}}},
    {"TopDownDepthOptimal",
     &QuickStartGrammar,
     &QuickSentence,
     TopDownDepth | poOptimalTrace,
     {{"4|5| the dog VP", "[S [NP [DET [the]] [N [dog]]] [VP]]", {6}, {3, 5}, {4, 5}},
      {"9|4| the dog chases the cat", QuickTree, {}, {3, 5, 8, 11, 13}, {12, 13}}}},
    {"TopDownBreadthDetailed",
     &QuickStartGrammar,
     &QuickSentence,
     TopDownBreadth,
     {{"1|-| NP VP", "[S [NP] [VP]]", {1, 2}, {}, {0, 1, 2}},
      {"2|-| DET N V NP", "[S [NP [DET] [N]] [VP [V] [NP]]]", {2, 3, 5, 6}, {}, {1, 2, 3, 4, 5, 6}},
      {"3|-| the cat chases DET N",
       "[S [NP [DET [the]] [N [cat]]] [VP [V [chases]] [NP [DET] [N]]]]",
       {10, 11},
       {3},
       {2, 3, 4, 5, 7, 8, 9, 10, 11}},
      {"5|-| the cat chases the dog",
       "[S [NP [DET [the]] [N [cat]]] [VP [V [chases]] [NP [DET [the]] [N [dog]]]]]",
       {},
       {3},
       {10, 11, 12, 13}},
      {"7|-| the dog chases the cat", QuickTree, {}, {3, 5, 8, 11, 13}, {10, 11, 12, 13}}}},
    {"TopDownBreadthOptimal",
     &QuickStartGrammar,
     &QuickSentence,
     TopDownBreadth | poOptimalTrace,
     {{"3|-| the dog chases DET N",
       "[S [NP [DET [the]] [N [dog]]] [VP [V [chases]] [NP [DET] [N]]]]",
       {10, 11},
       {3, 5, 8},
       {2, 3, 4, 5, 7, 8, 9, 10, 11}},
      {"4|-| the dog chases the cat", QuickTree, {}, {3, 5, 8, 11, 13}, {10, 11, 12, 13}}}},
    {"BottomUpDepthDetailed",
     &QuickStartGrammar,
     &QuickSentence,
     BottomUpDepth,
     {{"0|3| DET dog chases the cat", "[DET [the]] [dog] [chases] [the] [cat]", {}, {}, {0, 1}},
      {"2|1| NP chases the cat",
       "[NP [DET [the]] [N [dog]]] [chases] [the] [cat]",
       {},
       {},
       {0, 1, 3}},
      {"5|4| NP V DET N",
       "[NP [DET [the]] [N [dog]]] [V [chases]] [DET [the]] [N [cat]]",
       {},
       {},
       {9, 10}},
      {"8|0| S", QuickTree, {}, {}, {0, 1, 6}}}},
    {"BottomUpDepthOptimal",
     &QuickStartGrammar,
     &QuickSentence,
     BottomUpDepth | poOptimalTrace,
     {{"3|6| NP V the cat", "[NP [DET [the]] [N [dog]]] [V [chases]] [the] [cat]", {}, {}, {5, 6}},
      {"8|0| S", QuickTree, {}, {}, {0, 1, 6}}}},
    {"BottomUpBreadthDetailed",
     &QuickStartGrammar,
     &QuickSentence,
     BottomUpBreadth,
     {{"0|*| DET N V DET N",
       "[DET [the]] [N [dog]] [V [chases]] [DET [the]] [N [cat]]",
       {},
       {},
       {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"1|-| NP V NP",
       "[NP [DET [the]] [N [dog]]] [V [chases]] [NP [DET [the]] [N [cat]]]",
       {},
       {},
       {0, 1, 3, 7, 8, 10}},
      {"2|-| NP VP",
       "[NP [DET [the]] [N [dog]]] [VP [V [chases]] [NP [DET [the]] [N [cat]]]]",
       {},
       {},
       {5, 6, 8}},
      {"3|-| S", QuickTree, {}, {}, {0, 1, 6}}}},
    {"BottomUpBreadthOptimal",
     &QuickStartGrammar,
     &QuickSentence,
     BottomUpBreadth | poOptimalTrace,
     {{"3|-| S", QuickTree, {}, {}, {0, 1, 6}}}},
};

INSTANTIATE_TEST_SUITE_P(QuickStart, PartialAnalysisAt, ::testing::ValuesIn(Strategies),
                         [](const auto& info) { return std::string(info.param.Name); });

// Every line of every strategy: the analysis ends in the line's own pattern.
TEST(PartialAnalysis, EveryLineEndsInItsPattern) {
    struct Case {
        const std::vector<std::string>* Grammar;
        const std::string* Sentence;
    };
    for (const Case& c :
         {Case{&QuickStartGrammar, &QuickSentence}, Case{&PrepositionalGrammar, &PrepSentence}}) {
        for (const uint8_t strategy :
             {TopDownDepth, TopDownBreadth, BottomUpDepth, BottomUpBreadth}) {
            for (const uint8_t kind : {uint8_t(0), poOptimalTrace}) {
                const uint8_t options = strategy | kind;
                Traced t(*c.Grammar, *c.Sentence, options);
                ASSERT_TRUE(t.Parsed) << int(options);
                ASSERT_TRUE(t.StepsBesideLines) << int(options);
                for (std::size_t n = 0; n < t.Trace().size(); ++n) {
                    const std::string& line = t.Trace()[n];
                    const TPartialAnalysis a = BuildPartialAnalysis(t.History, n);
                    ASSERT_TRUE(a.Built) << int(options) << " line " << line << ": " << a.Message;
                    EXPECT_EQ(a.Pattern, line.substr(line.rfind('\t') + 1))
                        << int(options) << " line " << n;
                }
            }
        }
    }
}

// A deep derivation is rebuilt without recursion, and a large one is refused.
TEST(PartialAnalysis, LongChainsAreRebuiltAndLargeTreesRefused) {
    const std::vector<std::string> grammar{"S = X", "X = A X", "X = A", "A = \"a\""};
    constexpr std::size_t count = 800;
    std::string words = "a";
    for (std::size_t i = 1; i < count; ++i)
        words += " a";
    Traced t(grammar, words, TopDownDepth | poOptimalTrace);
    ASSERT_TRUE(t.Parsed);
    const std::size_t last = t.Trace().size() - 1;
    // S, and an X, an A and a word for each word.
    const std::size_t nodes = 1 + 3 * count;
    const TPartialAnalysis refused = BuildPartialAnalysis(t.History, last);
    EXPECT_FALSE(refused.Built);
    EXPECT_EQ(refused.Message, MsgPartialTooLarge(MaxPartialNodes));
    EXPECT_EQ(MsgPartialTooLarge(2000),
              "The partial analysis at this line has more than 2000 nodes; it is not drawn.");
    EXPECT_FALSE(BuildPartialAnalysis(t.History, last, nodes - 1).Built);
    const TPartialAnalysis whole = BuildPartialAnalysis(t.History, last, nodes);
    ASSERT_TRUE(whole.Built) << whole.Message;
    EXPECT_EQ(whole.Marks.size(), nodes);
    const std::string text = whole.Text();
    EXPECT_EQ(text.substr(0, 25), "[S [X [A [a]] [X [A [a]] ");
    // The innermost X over its word, then the brackets of every X and of S.
    const std::string end = "[X [A [a]]" + std::string(count + 1, ']');
    ASSERT_GT(text.size(), end.size());
    EXPECT_EQ(text.substr(text.size() - end.size()), end);
    // Past the lines there is nothing to show.
    EXPECT_EQ(BuildPartialAnalysis(t.History, last + 1).Message, MsgNoPartialAnalysis);
}

// The steps count towards the trace's byte limit and stay beside the lines, also
// when an optimal trace deletes lines and when the list is cut short.
TEST(PartialAnalysis, StepsAreBoundedWithTheTrace) {
    ParseFixture f(PrepositionalGrammar);
    ASSERT_TRUE(f.Parse(PrepSentence, TopDownDepth));
    const std::vector<std::string> whole = f.Trace();
    // Line 0 keeps no choices, every later line a position and a rule.
    const auto cost = [&](std::size_t lines) {
        std::size_t bytes = 0;
        for (std::size_t i = 0; i < lines; ++i)
            bytes += whole[i].size() + sizeof(std::string) + TTraceSteps::Cost(i == 0 ? 0 : 2);
        return bytes;
    };
    for (const uint8_t options : {TopDownDepth, uint8_t(TopDownDepth | poOptimalTrace)}) {
        const std::size_t lines = (options & poOptimalTrace) ? 2 : 8;
        f.Run.MaxTraceBytes = cost(lines);
        f.Run.KeepTraceSteps = true;
        ASSERT_TRUE(f.Parse(PrepSentence, options));
        ASSERT_EQ(f.Trace().size(), lines + 1) << "the lines and the closing line";
        EXPECT_EQ(f.Trace().back(), TraceCutShortLine(lines, cost(lines)));
        EXPECT_EQ(f.Run.TraceSteps.Size(), lines);
        TTraceHistory history;
        TakeTraceHistory(f.Parser, f.Run, options, history);
        EXPECT_TRUE(BuildPartialAnalysis(history, lines - 1).Built);
        EXPECT_EQ(BuildPartialAnalysis(history, lines).Message, MsgNoPartialAnalysis);
        // Without the steps the same limit holds more lines (the steps of eight
        // lines take more room than the next line).
        f.Run.KeepTraceSteps = false;
        ASSERT_TRUE(f.Parse(PrepSentence, options));
        if (lines == 8) {
            EXPECT_GT(f.Trace().size(), lines + 1);
        }
        EXPECT_TRUE(f.Run.TraceSteps.Empty());
    }

    // Deleting a line gives back its step's bytes.
    f.Run.MaxTraceBytes = DefaultMaxTraceBytes;
    f.Run.KeepTraceSteps = true;
    f.Begin(PrepSentence, TopDownDepth);
    f.Parser.TraceLines.clear();
    const uint32_t choices[2] = {0, 0};
    ASSERT_TRUE(AppendTraceLine(f.Parser, "0\t-\t S", f.Run, {}));
    const std::size_t before = f.Run.TraceBytes;
    const std::string line = "1\t0\t NP VP";
    ASSERT_TRUE(AppendTraceLine(f.Parser, line, f.Run, {TStepKind::Expand, 0, choices, 2}));
    EXPECT_EQ(f.Run.TraceBytes - before, line.size() + sizeof(std::string) + TTraceSteps::Cost(2));
    DeleteLastTraceLine(f.Parser, f.Run);
    EXPECT_EQ(f.Run.TraceBytes, before);
    EXPECT_EQ(f.Run.TraceSteps.Size(), 1u);
    EXPECT_EQ(f.Parser.TraceLines.size(), 1u);
}

// Steps that do not fit together give a message, never a tree.
TEST(PartialAnalysis, DamagedStepsAreRefused) {
    Traced t(QuickStartGrammar, QuickSentence, TopDownDepth);
    ASSERT_TRUE(t.Parsed);
    const TTraceHistory& good = t.History;
    struct Case {
        const char* What;
        TStepKind Kind;
        uint32_t From;
        std::vector<uint32_t> Choices;
    };
    const std::vector<Case> cases = {
        {"a later line as its origin", TStepKind::Expand, 5, {0, 1}},
        {"a position past the pattern", TStepKind::Expand, 0, {1, 0}},
        {"a rule past the grammar", TStepKind::Expand, 0, {0, 99}},
        {"a rule for another symbol", TStepKind::Expand, 0, {0, 1}},
        {"a choice missing", TStepKind::Expand, 0, {0}},
        {"too few rules for the nonterminals", TStepKind::ExpandAll, 1, {1}},
        {"a reduction in a derivation", TStepKind::Reduce, 1, {0, 3}},
        {"a second start", TStepKind::Start, 0, {}},
        {"a reduction of words never kept", TStepKind::ReduceAll, NoTraceLine, {0, 3}},
    };
    for (const Case& c : cases) {
        TTraceHistory history;
        history.StartRule = good.StartRule;
        history.Rules = good.Rules;
        history.Steps.Push(TStepKind::Start, NoTraceLine, {});
        history.Steps.Push(TStepKind::Expand, 0, {0, 0});
        history.Steps.Push(c.Kind, c.From, c.Choices.data(), c.Choices.size());
        const TPartialAnalysis a = BuildPartialAnalysis(history, 2);
        EXPECT_FALSE(a.Built) << c.What;
        EXPECT_EQ(a.Message, MsgPartialStepsDamaged) << c.What;
        EXPECT_TRUE(BuildPartialAnalysis(history, 1).Built) << c.What;
    }
}

} // namespace
} // namespace gramarbor
