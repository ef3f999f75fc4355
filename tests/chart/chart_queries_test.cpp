#include <gtest/gtest.h>

#include <random>

#include "chart/chart_parser.h"
#include "internal_grammar.h"

using namespace gramarbor;
using testing_support::FirstTrees;
using testing_support::MakeRules;
using testing_support::MakeTokens;
using testing_support::PpGrammar;
using testing_support::PpSentence;
using testing_support::RandomGrammar;
using testing_support::RandomSentence;

namespace {

using Path = std::vector<uint16_t>;
using Result = TChartParser::TUnrankResult;

// Unranking, ambiguities and enumeration from a tree agree with the whole
// enumeration on `rounds` random grammars and sentences; with everyTree each tree
// number enumerated is unranked, otherwise a sample of them.
void CheckRandomGrammars(unsigned seed, int rounds, bool everyTree) {
    std::mt19937 random(seed);
    int withTrees = 0;
    for (int round = 0; round < rounds; ++round) {
        const auto rules = MakeRules(RandomGrammar(random));
        const auto tokens = MakeTokens(rules, RandomSentence(random));
        TChartParser parser(rules, 0, tokens, false);
        const std::vector<Path> all = FirstTrees(parser, 300);
        const BigUint count = parser.CountTrees();
        uint64_t trees = 0;
        ASSERT_TRUE(count.ToU64(trees));
        if (trees <= 300) {
            ASSERT_EQ(trees, all.size()) << "round " << round;
        }
        if (!all.empty()) ++withTrees;
        // Every tree of small sets, a sample of large ones, always the last one found.
        std::vector<std::size_t> numbers;
        const std::size_t step = everyTree || all.size() <= 25 ? 1 : all.size() / 25;
        for (std::size_t k = 0; k < all.size(); k += step)
            numbers.push_back(k);
        if (!all.empty()) numbers.push_back(all.size() - 1);
        for (const std::size_t k : numbers) {
            Path path;
            ASSERT_EQ(parser.UnrankTree(BigUint(k), path), Result::Found) << "round " << round;
            ASSERT_EQ(path, all[k]) << "round " << round << ", tree " << k;
        }
        Path path;
        EXPECT_EQ(parser.UnrankTree(count, path), Result::OutOfRange);

        // Two trees differ first at a span derived in two ways, so a sentence has
        // ambiguous spans exactly when it has several trees; each span's analyses
        // account for all its readings.
        std::vector<TChartParser::TAmbiguity> ambiguities;
        ASSERT_EQ(parser.FindAmbiguities(ambiguities), TChartParser::TAmbiguityResult::Done);
        EXPECT_EQ(ambiguities.empty(), trees <= 1) << "round " << round;
        for (const auto& ambiguity : ambiguities) {
            BigUint sum;
            for (const auto& analysis : ambiguity.Analyses)
                sum += analysis.Readings;
            if (ambiguity.AnalysisCount <= TChartParser::MaxListedAnalyses) {
                EXPECT_EQ(sum, ambiguity.Readings) << "round " << round;
            }
        }
        // Enumeration from any tree goes on exactly as the whole enumeration does.
        if (all.size() > 2) {
            const std::size_t k = random() % all.size();
            const auto rest = FirstTrees(parser, 3, &all[k]);
            // Only the first trees were enumerated: compare within them.
            for (std::size_t i = 0; i < rest.size() && k + i < all.size(); ++i)
                EXPECT_EQ(rest[i], all[k + i]) << "round " << round;
            EXPECT_EQ(rest.size(), std::min<std::size_t>(3, trees - k));
        }
    }
    // The generator must give many accepted sentences.
    EXPECT_GT(withTrees, rounds * 6 / 25);
}

} // namespace

TEST(TreeUnranking, AgreesWithEnumerationOnRandomGrammars) {
    CheckRandomGrammars(20261207, 250, false);
}

TEST(TreeUnranking, AgreesOnEveryTreeOfThreeThousandRandomGrammars) {
    CheckRandomGrammars(3000, 3000, true);
}

// More than a trillion trees: counted exactly, and any of them reached without
// enumerating those before it.
TEST(TreeUnranking, ReachesAnyOfMoreThanATrillionTrees) {
    const auto rules = MakeRules(PpGrammar);
    TChartParser parser(rules, 0, MakeTokens(rules, PpSentence(23)), false);
    ASSERT_TRUE(parser.Build());
    EXPECT_TRUE(parser.Accepted());
    EXPECT_EQ(parser.CountTrees().ToString(), "1289904147324"); // Catalan(24)
    const auto first = FirstTrees(parser, 1000);
    ASSERT_EQ(first.size(), 1000u);
    Path path;
    ASSERT_EQ(parser.UnrankTree(BigUint(999), path), Result::Found);
    EXPECT_EQ(path, first[999]);

    BigUint last;
    ASSERT_TRUE(BigUint::FromString("1289904147323", last));
    ASSERT_EQ(parser.UnrankTree(last, path), Result::Found);
    EXPECT_EQ(FirstTrees(parser, 5, &path), std::vector<Path>{path}); // nothing after the last
    Path before;
    BigUint previous = last;
    previous -= BigUint(1);
    ASSERT_EQ(parser.UnrankTree(previous, before), Result::Found);
    EXPECT_EQ(FirstTrees(parser, 5, &before), (std::vector<Path>{before, path}));
    EXPECT_EQ(parser.UnrankTree(last + BigUint(1), path), Result::OutOfRange);

    CancelToken cancel;
    cancel.Cancel();
    TChartParser cancelled(rules, 0, MakeTokens(rules, PpSentence(23)), false);
    EXPECT_EQ(cancelled.UnrankTree(last, path, &cancel), Result::Cancelled);
    std::vector<TChartParser::TAmbiguity> found;
    EXPECT_EQ(cancelled.FindAmbiguities(found, &cancel), TChartParser::TAmbiguityResult::Cancelled);
}

TEST(TreeUnranking, ReadsAndSubtractsDecimalNumbers) {
    BigUint value;
    for (const char* bad : {"", "-1", "1 ", "12a", "+3"})
        EXPECT_FALSE(BigUint::FromString(bad, value)) << bad;
    EXPECT_FALSE(BigUint::FromString(std::string(4001, '9'), value));
    ASSERT_TRUE(BigUint::FromString("000340282366920938463463374607431768211456", value));
    EXPECT_EQ(value.ToString(), "340282366920938463463374607431768211456"); // 2^128
    value -= BigUint(1);
    EXPECT_EQ(value.ToString(), "340282366920938463463374607431768211455");
    value -= value;
    EXPECT_TRUE(value.IsZero());
}
