// The first tree of a reading, found from the counts, against the trees enumerated.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <set>

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
using Result = TChartParser::TReadingResult;
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

Result FirstTree(TChartParser& parser, const Analysis& analysis, uint64_t& number) {
    BigUint found;
    const Result result = parser.FirstTreeWith({analysis.first, analysis.second, {}}, found);
    if (result == Result::Found) {
        EXPECT_TRUE(found.ToU64(number));
    }
    return result;
}

} // namespace

// Every analysis of every node of every tree, and each listed reading of the ambiguous
// spans, is first met in the tree the enumeration first shows it in.
TEST(ReadingFirstTree, AgreesWithEnumerationOnRandomGrammars) {
    std::mt19937 random(7122026);
    int checked = 0;
    for (int round = 0; round < 200; ++round) {
        const auto rules = MakeRules(RandomGrammar(random));
        const auto tokens = MakeTokens(rules, RandomSentence(random));
        TChartParser parser(rules, 0, tokens, false);
        const std::vector<Path> trees = FirstTrees(parser, 201);
        if (trees.empty() || trees.size() > 200) continue;
        std::map<Analysis, uint64_t> first;
        for (std::size_t k = 0; k < trees.size(); ++k)
            for (const Analysis& node : AnalysesOf(rules, trees[k]))
                first.emplace(node, k);
        for (const auto& [node, expected] : first) {
            uint64_t number = 0;
            ASSERT_EQ(FirstTree(parser, node, number), Result::Found) << "round " << round;
            EXPECT_EQ(number, expected) << "round " << round << ", rule " << node.first;
            ++checked;
        }
        std::vector<TChartParser::TAmbiguity> ambiguities;
        ASSERT_EQ(parser.FindAmbiguities(ambiguities), TChartParser::TAmbiguityResult::Done);
        for (const auto& ambiguity : ambiguities)
            for (const auto& analysis : ambiguity.Analyses)
                EXPECT_TRUE(first.count({analysis.Rule, analysis.Bounds})) << "round " << round;
    }
    EXPECT_GT(checked, 1000);
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
    for (const auto& c : cases) {
        uint64_t number = 0;
        EXPECT_EQ(FirstTree(parser, c.Node, number), Result::NotInTrees) << c.Why;
    }
    TChartParser rejected(rules, 0, MakeTokens(rules, "saw I"), false);
    uint64_t number = 0;
    EXPECT_EQ(FirstTree(rejected, {3, {0, 2}}, number), Result::NotInTrees);
}

// Among more than a trillion trees: the tree found has the reading, and the trees just
// before it do not.
TEST(ReadingFirstTree, FindsReadingsAmongATrillionTrees) {
    const auto rules = MakeRules(PpGrammar);
    const auto tokens = MakeTokens(rules, PpSentence(23));
    TChartParser parser(rules, 0, tokens, false);
    std::vector<TChartParser::TAmbiguity> found;
    ASSERT_EQ(parser.FindAmbiguities(found), TChartParser::TAmbiguityResult::Done);
    ASSERT_FALSE(found.empty());
    int checked = 0;
    for (std::size_t i = 0; i < found.size(); i += found.size() / 7 + 1) {
        for (const auto& analysis : found[i].Analyses) {
            BigUint number;
            ASSERT_EQ(parser.FirstTreeWith(analysis, number), Result::Found);
            // Up to five trees before it and the tree itself.
            uint64_t back = 5;
            if (number < BigUint(back)) {
                ASSERT_TRUE(number.ToU64(back));
            }
            BigUint from = number;
            from -= BigUint(back);
            Path start;
            ASSERT_EQ(parser.UnrankTree(from, start), TChartParser::TUnrankResult::Found);
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
    TChartParser cancelled(rules, 0, tokens, false);
    BigUint number;
    EXPECT_EQ(cancelled.FirstTreeWith(found[0].Analyses[0], number, &cancel), Result::Cancelled);
}
