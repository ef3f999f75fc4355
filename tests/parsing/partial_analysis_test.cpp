// The partial analysis at a trace line: the bounds on its size and on the steps kept,
// damaged steps (trees worked out by hand and the pattern of every line are parse
// scripts).
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "parsing/partial_analysis.h"
#include "parsing/trace_lines.h"
#include "parsing_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;

constexpr uint8_t TopDownDepth = poTraceList | poTopDown | poDepthFirst;

struct Traced : ParseFixture {
    TTraceHistory History;

    Traced(const std::vector<std::string>& grammar, const std::string& sentence, uint8_t options)
        : ParseFixture(grammar) {
        Run.KeepTraceSteps = true;
        Parsed = Parse(sentence, options);
        TakeTraceHistory(Parser, Run, options, History);
    }
    bool Parsed = false;
};

// A deep derivation is rebuilt without recursion, and a large one is refused.
TEST(PartialAnalysis, LongChainsAreRebuiltAndLargeTreesRefused) {
    const std::vector<std::string> grammar{"S = X", "X = A X", "X = A", "A = \"a\""};
    constexpr std::size_t count = 800;
    Traced t(grammar, Repeated("a", count), TopDownDepth | poOptimalTrace);
    ASSERT_TRUE(t.Parsed);
    const std::size_t last = t.Trace().size() - 1;
    // S, and an X, an A and a word for each word.
    const std::size_t nodes = 1 + 3 * count;
    const TPartialAnalysis refused = BuildPartialAnalysis(t.History, last);
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

// Deleting a line gives back its step's bytes (the steps' share of the trace limit is a
// driver test).
TEST(PartialAnalysis, DeletedLinesGiveBackTheirStepsBytes) {
    ParseFixture f(PrepositionalGrammar);
    f.Run.KeepTraceSteps = true;
    f.Begin("the man sees the dog with the telescope", TopDownDepth);
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
    Traced t(QuickStartGrammar, "the dog chases the cat", TopDownDepth);
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
