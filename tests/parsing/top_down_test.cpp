// Tests of the top-down strategies: failures, matching and the odometer (whole traces,
// and how case decides whether a word meets a terminal, are among the golden command
// lines).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "parsing/pattern_match.h"
#include "parsing/top_down.h"
#include "parsing_test_support.h"

using namespace gramarbor;
using namespace gramarbor::testing;
using ::testing::ElementsAre;

namespace {

constexpr uint8_t TopDownDepth = poTopDown | poDepthFirst | poTraceList;
constexpr uint8_t TopDownBreadth = poTopDown | poBreadthFirst | poTraceList;

} // namespace

TEST(TopDownMatching, MatchPatternResults) {
    ParseFixture f(QuickStartGrammar);
    f.Begin("the dog", TopDownDepth);
    ASSERT_TRUE(RebuildTokens(f.Parser, f.Run));
    const auto& rules = f.Parser.Rules;
    const TElemNode* the = &rules[3].Line.Right[0];
    const TElemNode* cat = &rules[4].Line.Right[0];
    const TElemNode* dog = &rules[5].Line.Right[0];
    const TElemNode* n = &rules[1].Line.Right[1];
    EXPECT_EQ(MatchPattern(f.Parser, {the, n}, 0, false), pmPrefix);
    EXPECT_EQ(MatchPattern(f.Parser, {the, n}, 0, true), pmFail);
    EXPECT_EQ(MatchPattern(f.Parser, {the, dog}, 0, false), pmComplete);
    EXPECT_EQ(MatchPattern(f.Parser, {the, cat}, 0, false), pmFail);
    EXPECT_EQ(MatchPattern(f.Parser, {the}, 0, false), pmFail) << "too short";
    EXPECT_EQ(MatchPattern(f.Parser, {the, dog, n}, 0, false), pmFail) << "too long";
    int matched = 0;
    EXPECT_TRUE(PrefixMatch(f.Parser, {the, n}, false, matched));
    EXPECT_EQ(matched, 1);
    EXPECT_FALSE(PrefixMatch(f.Parser, {the, dog, n}, false, matched));
    EXPECT_EQ(matched, -1);
}

TEST(TopDownOdometer, PositionZeroTurnsFastest) {
    // Nonterminals of 2 and 3 alternatives around a terminal.
    const std::vector<uint16_t> highest{1, 0, 2};
    std::vector<uint16_t> current(3, 0);
    bool first = true;
    std::vector<std::pair<int, int>> seen;
    while (NextAlternativeCombination(current, highest, 3, first))
        seen.emplace_back(current[0], current[2]);
    EXPECT_THAT(seen, ElementsAre(std::pair(0, 0), std::pair(1, 0), std::pair(0, 1),
                                  std::pair(1, 1), std::pair(0, 2), std::pair(1, 2)));
    EXPECT_FALSE(first);
}
