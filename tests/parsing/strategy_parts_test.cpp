// The parts of the two strategies: matching a pattern against the sentence, the
// categories of the words and the odometers that choose alternatives (their whole
// traces are among the golden command lines, their failures among the parse scripts).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "parsing/bottom_up.h"
#include "parsing/pattern_match.h"
#include "parsing/top_down.h"
#include "parsing_test_support.h"
#include "text/text_utils.h"

using namespace gramarbor;
using namespace gramarbor::testing;
using ::testing::ElementsAre;

TEST(TopDownMatching, MatchPatternResults) {
    ParseFixture f(QuickStartGrammar);
    f.Begin("the dog", poTopDown | poDepthFirst | poTraceList);
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

TEST(BottomUpCategories, HighestRuleFirstAndFoldedUnlessCaseSensitive) {
    std::vector<std::string> dogVerb = QuickStartGrammar;
    dogVerb.push_back("V = \"dog\""); // rule 7
    ParseFixture f(dogVerb);
    f.Begin("The DOG", 0);
    ASSERT_TRUE(RebuildTokens(f.Parser, f.Run));
    std::vector<std::string> categories;
    ASSERT_TRUE(AssignCategories(f.Parser, 0, categories, f.Sink));
    // Each word's rules as two bytes each.
    EXPECT_EQ(categories, (std::vector{WordToStr2(3), WordToStr2(7) + WordToStr2(5)}));

    f.Begin("The DOG", poCaseSensitive);
    ASSERT_TRUE(RebuildTokens(f.Parser, f.Run));
    categories.clear();
    EXPECT_FALSE(AssignCategories(f.Parser, poCaseSensitive, categories, f.Sink));
    EXPECT_EQ(f.Sink.Last(), "The token \"The\" couldn`t be assigned a category.");
}

TEST(BottomUpOdometers, CategoriesTurnLastWordFastestFromOne) {
    const std::vector<uint16_t> highest{2, 1, 2};
    std::vector<uint16_t> current{1, 1, 1};
    std::vector<std::vector<uint16_t>> seen{current};
    while (NextCategoryCombination(current, highest, 3))
        seen.push_back(current);
    EXPECT_THAT(seen, ElementsAre(std::vector<uint16_t>{1, 1, 1}, std::vector<uint16_t>{1, 1, 2},
                                  std::vector<uint16_t>{2, 1, 1}, std::vector<uint16_t>{2, 1, 2}));
    std::vector<uint16_t> empty;
    EXPECT_FALSE(NextCategoryCombination(empty, {}, 0));
}

TEST(BottomUpOdometers, ReductionsComeWithMostPositionsFirst) {
    const std::vector<uint16_t> highest{1, 0, 2};
    std::vector<uint16_t> current(3, 0);
    int wanted = 2;
    std::vector<std::vector<uint16_t>> seen;
    while (NextReductionCombination(current, highest, 3, wanted))
        seen.push_back(current);
    EXPECT_THAT(seen, ElementsAre(std::vector<uint16_t>{1, 0, 1}, std::vector<uint16_t>{1, 0, 2},
                                  std::vector<uint16_t>{0, 0, 1}, std::vector<uint16_t>{0, 0, 2},
                                  std::vector<uint16_t>{1, 0, 0}));
    EXPECT_EQ(wanted, 0);
}
