#include <gtest/gtest.h>

#include <random>
#include <set>

#include "chart/chart_parser.h"
#include "internal_grammar.h"

using namespace gramarbor;
using testing_support::MakeRules;
using testing_support::MakeTokens;
using testing_support::ReferenceEnumerate;

namespace {

using Path = std::vector<uint16_t>;

std::vector<Path> ChartPaths(const TRuleList& rules, const std::vector<TTokLst>& tokens,
                             std::size_t limit = SIZE_MAX) {
    TChartParser parser(rules, 0, tokens, false);
    EXPECT_TRUE(parser.Build());
    std::vector<Path> paths;
    parser.Enumerate([&](const Path& path) {
        paths.push_back(path);
        return paths.size() < limit;
    });
    return paths;
}

// Sentence structure of the prepositional-phrase grammar: the number of its trees
// is a Catalan number.
const std::vector<std::string> PpGrammar = {
    "START = S",       "S = NP VP",  "NP = PRON",  "NP = DET N",  "NP = NP PP", "VP = V NP",
    "VP = VP PP",      "PP = P NP",  "PRON = 'I'", "DET = 'the'", "DET = 'a'",  "N = 'man'",
    "N = 'telescope'", "N = 'park'", "V = 'saw'",  "P = 'with'",  "P = 'in'"};

std::string PpSentence(int phrases) {
    std::string sentence = "I saw the man";
    const char* tails[] = {" with a telescope", " in the park"};
    for (int i = 0; i < phrases; ++i)
        sentence += tails[i % 2];
    return sentence;
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

TEST(ChartParser, GivesTheReferenceOrderAndCatalanCountsForAttachedPhrases) {
    const auto rules = MakeRules(PpGrammar);
    const uint64_t catalan[] = {1, 1, 2, 5, 14, 42, 132, 429, 1430, 4862};
    for (int phrases = 0; phrases <= 7; ++phrases) {
        const auto tokens = MakeTokens(rules, PpSentence(phrases));
        std::vector<Path> expected;
        ASSERT_TRUE(ReferenceEnumerate(rules, 0, tokens, [&](const Path& p) {
            expected.push_back(p);
            return true;
        }));
        EXPECT_EQ(ChartPaths(rules, tokens), expected) << phrases << " phrases";
        EXPECT_EQ(expected.size(), catalan[phrases + 1]);
        TChartParser parser(rules, 0, tokens, false);
        EXPECT_EQ(parser.CountTrees(), BigUint(catalan[phrases + 1]));
    }
}

TEST(ChartParser, CountsMoreThanATrillionTreesWithoutEnumerating) {
    const auto rules = MakeRules(PpGrammar);
    TChartParser parser(rules, 0, MakeTokens(rules, PpSentence(23)), false);
    ASSERT_TRUE(parser.Build());
    EXPECT_TRUE(parser.Accepted());
    EXPECT_EQ(parser.CountTrees().ToString(), "1289904147324"); // Catalan(24)
    int seen = 0;
    parser.Enumerate([&](const Path&) { return ++seen < 1000; });
    EXPECT_EQ(seen, 1000);
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

TEST(ChartParser, ParsesFiveThousandWordsWithLeftAndRightRecursion) {
    for (const auto& grammar :
         {std::vector<std::string>{"START = L", "L = L A", "L = A", "A = 'a'"},
          std::vector<std::string>{"START = R", "R = A R", "R = A", "A = 'a'"}}) {
        const auto rules = MakeRules(grammar);
        std::string sentence;
        for (int i = 0; i < 5000; ++i)
            sentence += "a ";
        TChartParser parser(rules, 0, MakeTokens(rules, sentence), false);
        ASSERT_TRUE(parser.Build());
        EXPECT_TRUE(parser.Accepted());
        EXPECT_EQ(parser.CountTrees(), BigUint(1));
        std::size_t length = 0;
        parser.Enumerate([&](const Path& path) {
            length = path.size();
            return true;
        });
        EXPECT_EQ(length, 1u + 5000 + 5000);
    }
}

TEST(ChartParser, StopsWhenCancelled) {
    const auto rules = MakeRules(PpGrammar);
    CancelToken cancel;
    cancel.Cancel();
    TChartParser parser(rules, 0, MakeTokens(rules, PpSentence(12)), false);
    EXPECT_FALSE(parser.Enumerate([](const Path&) { return true; }, &cancel));
}

namespace {

// A random internal grammar: nonterminals S0..Sk with binary, unit and lexical rules
// over a small vocabulary with ambiguous words and token classes. Unit rules only go
// from a lower to a higher nonterminal, so they never form a cycle.
std::vector<std::string> RandomGrammar(std::mt19937& random) {
    const int symbols = 2 + static_cast<int>(random() % 4);
    const char* words[] = {"'a'", "'b'", "'c'", "@Ident", "@Number", "@Integer"};
    std::vector<std::string> rules{"START = S0"};
    auto name = [](int i) { return "S" + std::to_string(i); };
    for (int x = 0; x < symbols; ++x) {
        const int count = 1 + static_cast<int>(random() % 4);
        for (int k = 0; k < count; ++k) {
            const int kind = static_cast<int>(random() % 5);
            if (kind == 0 && x + 1 < symbols) {
                rules.push_back(name(x) + " = " +
                                name(x + 1 + static_cast<int>(random() % (symbols - x - 1))));
            } else if (kind <= 2) {
                const int length = 2 + static_cast<int>(random() % 2);
                std::string rule = name(x) + " =";
                for (int i = 0; i < length; ++i)
                    rule += " " + name(static_cast<int>(random() % symbols));
                rules.push_back(rule);
            } else {
                std::string rule = name(x) + " = " + words[random() % 6];
                if (random() % 4 == 0) rule += std::string(" ") + words[random() % 3];
                rules.push_back(rule);
            }
        }
    }
    // Every nonterminal gets at least one lexical rule, so that most sentences matter.
    for (int x = 0; x < symbols; ++x)
        rules.push_back(name(x) + " = " + words[random() % 6]);
    // The check removes duplicate rules.
    std::vector<std::string> unique;
    std::set<std::string> seen;
    for (const auto& rule : rules)
        if (seen.insert(rule).second) unique.push_back(rule);
    return unique;
}

std::string RandomSentence(std::mt19937& random) {
    const char* words[] = {"a", "b", "c", "x", "7", "2.5"};
    const int length = 1 + static_cast<int>(random() % 7);
    std::string sentence;
    for (int i = 0; i < length; ++i)
        sentence += std::string(words[random() % 6]) + " ";
    return sentence;
}

} // namespace

TEST(ChartParser, AgreesWithTheLeftmostEnumerationOnRandomGrammars) {
    std::mt19937 random(20261206);
    int compared = 0;
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        const auto rules = MakeRules(RandomGrammar(random));
        const auto tokens = MakeTokens(rules, RandomSentence(random));
        std::vector<Path> expected;
        const bool complete = ReferenceEnumerate(
            rules, 0, tokens,
            [&](const Path& p) {
                expected.push_back(p);
                return expected.size() < 5000;
            },
            200000);
        if (!complete) continue;
        ++compared;
        accepted += expected.empty() ? 0 : 1;
        TChartParser parser(rules, 0, tokens, false);
        ASSERT_TRUE(parser.Build());
        ASSERT_EQ(parser.Accepted(), !expected.empty()) << "round " << round;
        std::vector<Path> actual;
        parser.Enumerate([&](const Path& p) {
            actual.push_back(p);
            return actual.size() < 5000;
        });
        ASSERT_EQ(actual, expected) << "round " << round;
        if (expected.size() < 5000) {
            ASSERT_EQ(parser.CountTrees(), BigUint(expected.size())) << "round " << round;
        }
    }
    EXPECT_GT(compared, 2500);
    EXPECT_GT(accepted, 300);
}
