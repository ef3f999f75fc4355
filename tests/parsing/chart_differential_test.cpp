// The chart parser against the literal leftmost enumeration, through the real grammar
// check and scanner: same verdict, same rule paths in the same order.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "parsing/ambiguity_report.h"
#include "parsing/chart_trees.h"
#include "parsing/parse_trees.h"
#include "parsing/unit_cycles.h"
#include "parsing_test_support.h"
#include "reference_enumeration.h"

using namespace gramarbor;
using namespace gramarbor::testing;

namespace {

// A random grammar text with left and right recursion, unit rules, token classes,
// words with several categories and words of two tokens. Unit rules only go from a
// lower to a higher nonterminal, so they never form a cycle.
std::vector<std::string> RandomGrammar(std::mt19937& random) {
    const int symbols = 2 + static_cast<int>(random() % 4);
    const char* words[] = {"\"a\"", "\"b\"", "\"c\"", "@Ident", "@Number", "@Integer"};
    auto name = [](int i) { return "X" + std::to_string(i); };
    std::vector<std::string> rules{"Start = X0"};
    for (int x = 0; x < symbols; ++x) {
        const int count = 1 + static_cast<int>(random() % 4);
        for (int k = 0; k < count; ++k) {
            const int kind = static_cast<int>(random() % 6);
            if (kind == 0 && x + 1 < symbols) {
                rules.push_back(name(x) + " = " +
                                name(x + 1 + static_cast<int>(random() % (symbols - x - 1))));
            } else if (kind <= 2) {
                std::string rule = name(x) + " =";
                const int length = 2 + static_cast<int>(random() % 2);
                for (int i = 0; i < length; ++i)
                    rule += " " + name(static_cast<int>(random() % symbols));
                rules.push_back(rule);
            } else if (kind == 3) {
                // A terminal inside a phrase rule: the check separates it.
                rules.push_back(name(x) + " = " + words[random() % 3] + " " +
                                name(static_cast<int>(random() % symbols)));
            } else {
                std::string rule = name(x) + " = " + words[random() % 6];
                if (random() % 4 == 0) rule += std::string(" ") + words[random() % 3];
                rules.push_back(rule);
            }
        }
        rules.push_back(name(x) + " = " + words[random() % 6]);
    }
    return rules;
}

std::string RandomSentence(std::mt19937& random) {
    const char* words[] = {"a", "b", "c", "x", "7", "2.5", "A"};
    const int length = 1 + static_cast<int>(random() % 7);
    std::string sentence;
    for (int i = 0; i < length; ++i)
        sentence += std::string(words[random() % 7]) + " ";
    return sentence;
}

} // namespace

TEST(ChartDifferential, AgreesWithTheLiteralEnumerationOnRandomGrammars) {
    std::mt19937 random(61206);
    int compared = 0;
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        ParseFixture f(RandomGrammar(random));
        if (!f.Checked || RefuseUnitCycle(f.Parser, UnitCycleScope::FromStart, f.Sink)) continue;
        const uint8_t options =
            random() % 2 ? poParseTrees : static_cast<uint8_t>(poParseTrees | poCaseSensitive);
        f.Begin(RandomSentence(random), options);
        f.Run.MaxParseTrees = 2000;
        std::vector<TRulePath> expected;
        if (!EnumerateParses(f.Parser, options, f.Run, expected) || f.Run.TreesTruncated) continue;

        SCOPED_TRACE("round " + std::to_string(round));
        f.Begin(f.Sentence[0], options);
        ASSERT_TRUE(ChartEnumerateParses(f.Parser, options, f.Run, f.Paths));
        ASSERT_EQ(f.Paths, expected);
        EXPECT_EQ(f.Run.TreeCount, BigUint(expected.size()));

        // The texts handed over one at a time are those of the paths, and the count
        // made from the chart alone agrees.
        std::vector<std::string> texts;
        f.Parser.ParseTrees.clear();
        f.Begin(f.Sentence[0], options);
        f.Run.OnParseTree = [&](const std::string& text) {
            texts.push_back(text);
            return true;
        };
        ASSERT_TRUE(ChartEnumerateTreeTexts(f.Parser, options, f.Run));
        f.Run.OnParseTree = nullptr;
        EXPECT_TRUE(f.Parser.ParseTrees.empty());
        ASSERT_EQ(texts.size(), expected.size());
        for (std::size_t i = 0; i < texts.size(); ++i)
            ASSERT_EQ(texts[i], PathToBracketText(f.Parser, expected[i]));
        EXPECT_EQ(CountParseTrees(f.Parser, f.Sentence, options), BigUint(expected.size()));

        // Acceptance alone keeps the first tree only.
        const auto accept = static_cast<uint8_t>(options & poCaseSensitive);
        f.Begin(f.Sentence[0], accept);
        ASSERT_TRUE(ChartEnumerateParses(f.Parser, accept, f.Run, f.Paths));
        expected.resize(std::min<std::size_t>(expected.size(), 1));
        EXPECT_EQ(f.Paths, expected);
        ++compared;
        accepted += expected.empty() ? 0 : 1;
    }
    EXPECT_GT(compared, 2000);
    EXPECT_GT(accepted, 300);
}

// Callers check the tree number first; the enumeration itself still refuses one past
// the last tree, with the count.
TEST(ChartDifferential, RefusesAFirstTreePastTheLast) {
    ParseFixture f(PrepositionalGrammar);
    f.Begin("the man sees the dog with the telescope with the telescope", poParseTrees);
    f.Run.FirstTree = BigUint(5);
    bool any = false;
    f.Run.OnParseTree = [&any](const std::string&) { return any = true; };
    EXPECT_FALSE(ChartEnumerateTreeTexts(f.Parser, poParseTrees, f.Run));
    EXPECT_FALSE(any);
    EXPECT_EQ(f.Sink.Last(), "There is no parse tree 6: the sentence has 5 parse trees.");
}
