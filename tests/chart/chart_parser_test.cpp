// Tests of the chart parser: acceptance, tree order and exact counts.
#include <gtest/gtest.h>

#include "chart/chart_parser.h"
#include "internal_grammar.h"

using namespace gramarbor;
using testing_support::MakeRules;
using testing_support::MakeTokens;
using testing_support::PpGrammar;
using testing_support::PpSentence;

namespace {

using Path = std::vector<uint16_t>;

std::vector<Path> ChartPaths(const TRuleList& rules, const std::vector<TTokLst>& tokens,
                             std::size_t limit = SIZE_MAX) {
    TChartParser parser(rules, 0, tokens, false);
    EXPECT_TRUE(parser.Build());
    return testing_support::FirstTrees(parser, limit);
}

} // namespace

TEST(ChartParser, FindsTheSingleTreeOfTheQuickStartSentence) {
    const auto rules = MakeRules({"S = NP VP", "NP = DET N", "VP = V NP", "DET = 'the'",
                                  "N = 'cat'", "N = 'dog'", "V = 'chases'"});
    const auto paths = ChartPaths(rules, MakeTokens(rules, "the dog chases the cat"));
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0], (Path{0, 1, 3, 5, 2, 6, 1, 3, 4}));
    EXPECT_TRUE(ChartPaths(rules, MakeTokens(rules, "the dog chases")).empty());
    EXPECT_TRUE(ChartPaths(rules, MakeTokens(rules, "")).empty());
}

TEST(ChartParser, GivesCatalanManyTreesInAscendingPathOrderForAttachedPhrases) {
    const auto rules = MakeRules(PpGrammar);
    const uint64_t catalan[] = {1, 1, 2, 5, 14, 42, 132, 429, 1430, 4862};
    for (int phrases = 0; phrases <= 7; ++phrases) {
        const auto tokens = MakeTokens(rules, PpSentence(phrases));
        const auto paths = ChartPaths(rules, tokens);
        EXPECT_EQ(paths.size(), catalan[phrases + 1]);
        // The leftmost search meets the trees in ascending order of their rule paths.
        for (std::size_t i = 1; i < paths.size(); ++i)
            ASSERT_LT(paths[i - 1], paths[i]);
        TChartParser parser(rules, 0, tokens, false);
        EXPECT_EQ(parser.CountTrees(), BigUint(catalan[phrases + 1]));
    }
}

TEST(ChartParser, MatchesTokenClassesAndLexicalAmbiguity) {
    const auto rules = MakeRules({"S = X Y", "X = @Ident", "X = N", "Y = NUM", "Y = V",
                                  "NUM = @Number", "N = 'run'", "V = 'run'", "NUM = @Integer"});
    EXPECT_EQ(ChartPaths(rules, MakeTokens(rules, "fred 7")),
              (std::vector<Path>{{0, 1, 3, 5}, {0, 1, 3, 8}}));
    EXPECT_EQ(ChartPaths(rules, MakeTokens(rules, "fred 7.5")), (std::vector<Path>{{0, 1, 3, 5}}));
    EXPECT_EQ(ChartPaths(rules, MakeTokens(rules, "run run")),
              (std::vector<Path>{{0, 2, 6, 4, 7}}));
    EXPECT_TRUE(ChartPaths(rules, MakeTokens(rules, "run fred")).empty());
}

TEST(ChartParser, HandlesMultiWordLexicalRules) {
    const auto rules = MakeRules({"S = N V", "N = 'new' 'york'", "N = 'new'", "N = 'york'",
                                  "V = 'york' 'sleeps'", "V = 'sleeps'"});
    EXPECT_EQ(ChartPaths(rules, MakeTokens(rules, "new york sleeps")),
              (std::vector<Path>{{0, 1, 5}, {0, 2, 4}}));
}
