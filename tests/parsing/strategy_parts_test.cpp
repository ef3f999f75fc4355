// The parts of the two strategies: matching a pattern against the sentence, the
// categories of the words and the odometers that choose alternatives (their whole
// traces are among the golden command lines, their failures among the parse scripts).
#include <gtest/gtest.h>

#include "parsing/bottom_up.h"
#include "parsing/pattern_match.h"
#include "parsing/top_down.h"
#include "parsing_test_support.h"
#include "text/text_utils.h"

using namespace gramarbor;
using namespace gramarbor::testing;

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

// The odometers from their first combination: top-down alternatives turn position 0
// fastest, from 0 (a first call gives the start); bottom-up categories turn the last word
// fastest, from 1; reductions come with most positions first.
TEST(Odometers, TurnThroughTheCombinationsInOrder) {
    using Seen = std::vector<std::vector<uint16_t>>;
    const auto turn = [](std::vector<uint16_t> current, const auto& next) {
        Seen seen;
        while (next(current))
            seen.push_back(current);
        return seen;
    };
    // Nonterminals of 2 and 3 alternatives around a terminal; words of 2, 1 and 2 rules.
    const std::vector<uint16_t> highest{1, 0, 2}, words{2, 1, 2};
    bool first = true;
    EXPECT_EQ(
        turn({0, 0, 0}, [&](auto& c) { return NextAlternativeCombination(c, highest, 3, first); }),
        (Seen{{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {1, 0, 1}, {0, 0, 2}, {1, 0, 2}}));
    EXPECT_FALSE(first);
    EXPECT_EQ(turn({1, 1, 1}, [&](auto& c) { return NextCategoryCombination(c, words, 3); }),
              (Seen{{1, 1, 2}, {2, 1, 1}, {2, 1, 2}}));
    EXPECT_EQ(turn({}, [](auto& c) { return NextCategoryCombination(c, {}, 0); }), Seen{});
    int wanted = 2;
    EXPECT_EQ(
        turn({0, 0, 0}, [&](auto& c) { return NextReductionCombination(c, highest, 3, wanted); }),
        (Seen{{1, 0, 1}, {1, 0, 2}, {0, 0, 1}, {0, 0, 2}, {1, 0, 0}}));
    EXPECT_EQ(wanted, 0);
}
