// The chart's queries against the trees enumerated: exact counts, unranking, ambiguous
// spans and the first tree of each reading.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <set>

#include "chart/chart_parser.h"
#include "internal_grammar.h"

using namespace gramarbor;
using namespace gramarbor::testing;

namespace {

using Path = std::vector<uint16_t>;
using UnrankResult = TChartParser::TUnrankResult;
using ReadingResult = TChartParser::TReadingResult;
// An analysis as a tree holds it: the rule and the bounds of its children.
using Analysis = std::pair<int32_t, std::vector<int32_t>>;

// The analyses of every node of the tree with the rule path.
std::set<Analysis> AnalysesOf(const TRuleList& rules, const Path& path) {
    std::set<Analysis> nodes;
    std::size_t next = 0;
    int32_t position = 0;
    std::function<void()> derive = [&] {
        const int32_t rule = path.at(next++);
        const TGramLine& line = rules[rule].Line;
        std::vector<int32_t> bounds{position};
        if (line.Lexical) {
            position += static_cast<int32_t>(line.Right.size());
            bounds.push_back(position);
        } else {
            for (std::size_t c = 0; c < line.Right.size(); ++c) {
                derive();
                bounds.push_back(position);
            }
        }
        nodes.insert({rule, bounds});
    };
    derive();
    return nodes;
}

// Unranking, ambiguities, the first tree of each reading and enumeration from a tree
// agree with the whole enumeration on `rounds` random grammars and sentences; with
// everyTree each tree number enumerated is unranked, otherwise a sample of them.
void CheckRandomGrammars(unsigned seed, int rounds, bool everyTree) {
    std::mt19937 random(seed);
    int withTrees = 0;
    int firstTrees = 0;
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
            ASSERT_EQ(parser.UnrankTree(BigUint(k), path), UnrankResult::Found)
                << "round " << round;
            ASSERT_EQ(path, all[k]) << "round " << round << ", tree " << k;
        }
        Path path;
        EXPECT_EQ(parser.UnrankTree(count, path), UnrankResult::OutOfRange);

        // Every analysis of every node of every tree is first met in the tree the
        // enumeration first shows it in.
        std::map<Analysis, uint64_t> first;
        for (std::size_t k = 0; trees <= 300 && k < all.size(); ++k)
            for (const Analysis& node : AnalysesOf(rules, all[k]))
                first.emplace(node, k);
        for (const auto& [node, expected] : first) {
            BigUint number;
            ASSERT_EQ(parser.FirstTreeWith({node.first, node.second, {}}, number),
                      ReadingResult::Found)
                << "round " << round;
            EXPECT_EQ(number, BigUint(expected)) << "round " << round << ", rule " << node.first;
            ++firstTrees;
        }

        // Two trees differ first at a span derived in two ways, so a sentence has
        // ambiguous spans exactly when it has several trees; each span's analyses
        // account for all its readings, and each listed reading is in a tree.
        std::vector<TChartParser::TAmbiguity> ambiguities;
        ASSERT_EQ(parser.FindAmbiguities(ambiguities), TChartParser::TAmbiguityResult::Done);
        EXPECT_EQ(ambiguities.empty(), trees <= 1) << "round " << round;
        for (const auto& ambiguity : ambiguities) {
            BigUint sum;
            for (const auto& analysis : ambiguity.Analyses) {
                sum += analysis.Readings;
                EXPECT_TRUE(trees > 300 || first.count({analysis.Rule, analysis.Bounds}));
            }
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
    EXPECT_GT(firstTrees, rounds * 5);
}

} // namespace

TEST(TreeUnranking, AgreesWithEnumerationOnRandomGrammars) {
    CheckRandomGrammars(20261207, 250, false);
}

TEST(TreeUnranking, AgreesOnEveryTreeOfThreeThousandRandomGrammars) {
    CheckRandomGrammars(3000, 3000, true);
}

// More than a trillion trees: counted exactly, any of them reached without enumerating
// those before it, and the first tree of a reading found among them.
TEST(TreeUnranking, ReachesAnyOfMoreThanATrillionTrees) {
    const auto rules = MakeRules(PpGrammar);
    TChartParser parser(rules, 0, MakeTokens(rules, PpSentence(23)), false);
    ASSERT_TRUE(parser.Build());
    EXPECT_TRUE(parser.Accepted());
    EXPECT_EQ(parser.CountTrees().ToString(), "1289904147324"); // Catalan(24)
    const auto first = FirstTrees(parser, 1000);
    ASSERT_EQ(first.size(), 1000u);
    Path path;
    ASSERT_EQ(parser.UnrankTree(BigUint(999), path), UnrankResult::Found);
    EXPECT_EQ(path, first[999]);

    BigUint last;
    ASSERT_TRUE(BigUint::FromString("1289904147323", last));
    ASSERT_EQ(parser.UnrankTree(last, path), UnrankResult::Found);
    EXPECT_EQ(FirstTrees(parser, 5, &path), std::vector<Path>{path}); // nothing after the last
    Path before;
    BigUint previous = last;
    previous -= BigUint(1);
    ASSERT_EQ(parser.UnrankTree(previous, before), UnrankResult::Found);
    EXPECT_EQ(FirstTrees(parser, 5, &before), (std::vector<Path>{before, path}));
    EXPECT_EQ(parser.UnrankTree(last + BigUint(1), path), UnrankResult::OutOfRange);

    // The tree found for a reading has it, and the trees just before it do not.
    std::vector<TChartParser::TAmbiguity> found;
    ASSERT_EQ(parser.FindAmbiguities(found), TChartParser::TAmbiguityResult::Done);
    ASSERT_FALSE(found.empty());
    int checked = 0;
    for (std::size_t i = 0; i < found.size(); i += found.size() / 7 + 1) {
        for (const auto& analysis : found[i].Analyses) {
            BigUint number;
            ASSERT_EQ(parser.FirstTreeWith(analysis, number), ReadingResult::Found);
            // Up to five trees before it and the tree itself.
            uint64_t back = 5;
            if (number < BigUint(back)) {
                ASSERT_TRUE(number.ToU64(back));
            }
            BigUint from = number;
            from -= BigUint(back);
            Path start;
            ASSERT_EQ(parser.UnrankTree(from, start), UnrankResult::Found);
            const std::vector<Path> trees = FirstTrees(parser, back + 1, &start);
            ASSERT_EQ(trees.size(), back + 1);
            const Analysis node{analysis.Rule, analysis.Bounds};
            EXPECT_TRUE(AnalysesOf(rules, trees.back()).count(node));
            for (std::size_t k = 0; k + 1 < trees.size(); ++k)
                EXPECT_FALSE(AnalysesOf(rules, trees[k]).count(node));
            ++checked;
        }
    }
    EXPECT_GT(checked, 10);

    CancelToken cancel;
    cancel.Cancel();
    TChartParser cancelled(rules, 0, MakeTokens(rules, PpSentence(23)), false);
    EXPECT_EQ(cancelled.UnrankTree(last, path, &cancel), UnrankResult::Cancelled);
    EXPECT_EQ(cancelled.FindAmbiguities(found, &cancel), TChartParser::TAmbiguityResult::Cancelled);
    BigUint number;
    EXPECT_EQ(cancelled.FirstTreeWith(found[0].Analyses[0], number, &cancel),
              ReadingResult::Cancelled);
    // A stopped count keeps nothing: counting again gives the whole number.
    TChartParser counted(rules, 0, MakeTokens(rules, PpSentence(23)), false);
    ASSERT_TRUE(counted.Build());
    BigUint count(7);
    EXPECT_FALSE(counted.CountTrees(count, &cancel));
    EXPECT_EQ(count.ToString(), "7");
    cancel.Reset();
    ASSERT_TRUE(counted.CountTrees(count, &cancel));
    EXPECT_EQ(count.ToString(), "1289904147324");
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

TEST(ReadingFirstTree, RefusesWhatNoTreeHas) {
    const auto rules = MakeRules(PpGrammar);
    TChartParser parser(rules, 0, MakeTokens(rules, PpSentence(1)), false);
    // "I saw the man with a telescope": rule 4 is NP = NP PP, 3 is NP = DET N.
    const struct {
        const char* Why;
        Analysis Node;
    } cases[] = {
        {"no such span in any tree", {4, {0, 4, 7}}}, {"bounds out of order", {4, {2, 2, 7}}},
        {"bounds past the sentence", {3, {2, 3, 9}}}, {"wrong number of bounds", {3, {2, 4}}},
        {"no such rule", {999, {2, 4, 7}}},           {"lexical rule on other words", {12, {0, 1}}},
    };
    BigUint number;
    for (const auto& c : cases)
        EXPECT_EQ(parser.FirstTreeWith({c.Node.first, c.Node.second, {}}, number),
                  ReadingResult::NotInTrees)
            << c.Why;
    TChartParser rejected(rules, 0, MakeTokens(rules, "saw I"), false);
    EXPECT_EQ(rejected.FirstTreeWith({3, {0, 2}, {}}, number), ReadingResult::NotInTrees);
}
