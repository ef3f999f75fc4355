// Tests of the parse driver: cancellation, long sentences, the limits of trace (with
// the steps kept beside it) and trees (a cancelled or refused parse as the sheet
// reports it is in tests/parsesheet/parse_sheet_test.cpp).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <tuple>

#include "parsing/partial_analysis.h"
#include "parsing/top_down.h"
#include "parsing/trace_lines.h"
#include "parsing_test_support.h"

using namespace gramarbor;
using namespace gramarbor::testing;
using ::testing::StartsWith;

const std::string Memory =
    "Not enough memory for parser to proceed. Please close this application!";

TEST(ParseOptions, RepairFillsTheMissingFlagOfEachPair) {
    EXPECT_EQ(RepairParseOptions(0x10), 0x10 | poTopDown | poDepthFirst);
    EXPECT_EQ(RepairParseOptions(0x65), 0x65);
    EXPECT_EQ(RepairParseOptions(poBottomUp), poBottomUp | poDepthFirst);
    EXPECT_EQ(RepairParseOptions(poBreadthFirst), poBreadthFirst | poTopDown);
}

TEST(LongSentences, FiveThousandWordsParseWithRightAndLeftRecursion) {
    const std::string sentence = Repeated("a", 5000);
    for (const auto& grammar :
         {std::vector<std::string>{"S = L", "L = W L", "L = W", "W = \"a\""},
          std::vector<std::string>{"S = L", "L = L W", "L = W", "W = \"a\""}}) {
        ParseFixture f(grammar);
        ASSERT_TRUE(f.Checked) << grammar[1];
        EXPECT_TRUE(f.Parse(sentence, 0)) << grammar[1];
        ASSERT_TRUE(f.Parse(sentence, poParseTrees)) << grammar[1];
        ASSERT_EQ(f.Trees().size(), 1u);
        EXPECT_THAT(f.Trees()[0], StartsWith("[S [L [")) << grammar[1];
        for (const uint8_t direction : {poDepthFirst, poBreadthFirst}) {
            f.Begin(sentence, poTopDown | direction);
            EXPECT_TRUE(TopDownParse(f.Parser, poTopDown | direction, f.Run))
                << grammar[1] << " " << int(direction);
        }
        EXPECT_TRUE(f.Sink.Empty());
    }
}

// Each search of a sentence that it could never finish in a test's lifetime, cancelled
// from another thread once the search has looked at the token a few times (so it is
// deep in its loops), must end.
TEST(Cancellation, AnotherThreadStopsEverySearchInTheMiddle) {
    // Thirty words and no "b": the strategies try every way of grouping them.
    const std::vector<std::string> rejecting{"START = S B", "S = S S", "S = \"a\"", "B = \"b\""};
    const std::vector<std::string> ambiguous{"START = S", "S = S S", "S = \"a\""};
    const std::tuple<const char*, const std::vector<std::string>*, uint8_t> cases[] = {
        {"top-down depth-first", &rejecting, poTraceList | poTopDown | poDepthFirst},
        {"top-down breadth-first", &rejecting, poTraceList | poTopDown | poBreadthFirst},
        {"bottom-up depth-first", &rejecting, poTraceList | poBottomUp | poDepthFirst},
        {"bottom-up breadth-first", &ambiguous, poTraceList | poBottomUp | poBreadthFirst},
        {"tree enumeration", &ambiguous, poParseTrees},
    };
    constexpr uint64_t checks = 4;
    for (const auto& [name, grammar, options] : cases) {
        ParseFixture f(*grammar);
        ASSERT_TRUE(f.Checked) << name;
        CancelToken cancel;
        f.Run.Cancel = &cancel;
        f.Run.MaxParseTrees = SIZE_MAX; // only the cancellation may end the enumeration
        bool result = true;
        std::thread worker([&, options = options] {
            result = f.Parse(Repeated("a", 30), options);
            // A search that ended on its own releases the waiting thread too.
            for (uint64_t i = 0; i < checks; ++i)
                cancel.IsCancelled();
        });
        cancel.WaitForChecks(checks);
        cancel.Cancel();
        worker.join();
        EXPECT_FALSE(result) << name;
        EXPECT_TRUE(f.Run.Cancelled) << name << " ended before it was cancelled";
        EXPECT_TRUE(f.Trees().empty() && f.Trace().empty()) << name;
    }
}

TEST(TraceLimit, AFullTraceKeepsItsLinesAndStepsAndSaysWhereItWasCutShort) {
    ParseFixture f(PrepositionalGrammar);
    const std::string sentence = "the man sees the dog with the telescope";
    const uint8_t detailed = poTraceList | poTopDown | poDepthFirst;
    ASSERT_TRUE(f.Parse(sentence, detailed));
    const std::vector<std::string> whole = f.Trace();
    ASSERT_GT(whole.size(), 20u);

    // Cut short in a detailed and in an optimal trace, which would otherwise delete
    // the lines of failed searches, with and without the steps beside the lines: the
    // lines so far stay, the last says so.
    for (const bool steps : {false, true})
        for (const auto& [options, lines] :
             {std::pair{detailed, std::size_t(8)},
              std::pair{uint8_t(detailed | poOptimalTrace), std::size_t(2)}}) {
            // What the first lines cost: their characters, their strings and their steps
            // (line 0 keeps no choices, every later line a position and a rule).
            std::size_t cost = 0;
            for (std::size_t i = 0; i < lines; ++i)
                cost += whole[i].size() + sizeof(std::string) +
                        (steps ? TTraceSteps::Cost(i == 0 ? 0 : 2) : 0);
            f.Sink.Clear();
            f.Run.MaxTraceBytes = cost;
            f.Run.KeepTraceSteps = steps;
            ASSERT_TRUE(f.Parse(sentence, options)) << "the search goes on";
            EXPECT_TRUE(f.Run.TraceOverflowed);
            EXPECT_EQ(f.Sink.Texts(), std::vector<std::string>{Memory}) << "shown once";
            std::vector<std::string> expected(whole.begin(),
                                              whole.begin() + static_cast<long>(lines));
            expected.push_back("... trace list cut short after " + std::to_string(lines) +
                               " lines (limit " + std::to_string(cost) + " bytes)");
            EXPECT_EQ(f.Trace(), expected) << steps;
            EXPECT_EQ(f.Run.TraceSteps.Size(), steps ? lines : 0u);
            if (!steps) continue;
            TTraceHistory history;
            TakeTraceHistory(f.Parser, f.Run, options, history);
            EXPECT_TRUE(BuildPartialAnalysis(history, lines - 1).Built);
            EXPECT_EQ(BuildPartialAnalysis(history, lines).Message, MsgNoPartialAnalysis);
        }
    EXPECT_EQ(TraceCutShortLine(4850000, DefaultMaxTraceBytes),
              "... trace list cut short after 4850000 lines (limit 256 MB)");

    // Without the report only the flag and the last line tell; the next run starts
    // with a fresh allowance.
    f.Sink.Clear();
    f.Run.KeepTraceSteps = false;
    f.Run.ReportTraceOverflow = false;
    f.Run.MaxTraceBytes = 1;
    ASSERT_TRUE(f.Parse(sentence, detailed));
    EXPECT_TRUE(f.Sink.Empty());
    EXPECT_EQ(f.Trace().size(), 1u);
    f.Run.MaxTraceBytes = DefaultMaxTraceBytes;
    ASSERT_TRUE(f.Parse(sentence, detailed));
    EXPECT_EQ(f.Trace(), whole);
}

TEST(TreeStream, TreesAreHandedOverInOrderAndTheReceiverCanStop) {
    ParseFixture f(PrepositionalGrammar);
    const std::string sentence =
        "the man sees the dog with the telescope with the dog with the man";
    const uint8_t options = poParseTrees | poTraceList | poOptimalTrace | poTopDown;
    ASSERT_TRUE(f.Parse(sentence, options));
    const std::vector<std::string> kept = f.Trees();
    const std::vector<std::string> trace = f.Trace();
    ASSERT_EQ(kept.size(), 14u); // Catalan(4)

    // All of them, then as many as the receiver takes, then as many as the limit allows.
    std::vector<std::string> streamed;
    std::size_t stopAfter = SIZE_MAX;
    f.Run.OnParseTree = [&](const std::string& text) {
        streamed.push_back(text);
        return streamed.size() < stopAfter;
    };
    for (const auto& [stop, limit, count, truncated] :
         {std::tuple{SIZE_MAX, SIZE_MAX, 14u, false},
          std::tuple{std::size_t(2), SIZE_MAX, 2u, false},
          std::tuple{SIZE_MAX, std::size_t(3), 3u, true}}) {
        streamed.clear();
        stopAfter = stop;
        f.Run.MaxParseTrees = limit;
        ASSERT_TRUE(f.Parse(sentence, options));
        EXPECT_EQ(streamed, std::vector<std::string>(kept.begin(), kept.begin() + count));
        EXPECT_EQ(f.Run.TreesTruncated, truncated);
        EXPECT_TRUE(f.Trees().empty() && f.Trace() == trace) << "handed over, not kept";
    }
    streamed.clear();
    EXPECT_FALSE(f.Parse("the man sees", options));
    EXPECT_TRUE(streamed.empty());
}
