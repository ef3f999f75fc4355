// Builds internal grammars and token lists directly, for tests of the parsing
// engines that must not depend on the grammar check or the scanner.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "chart/chart_parser.h"
#include "grammar/grammar_types.h"
#include "text/token.h"

namespace testing_support {

// Each rule as "X = A B" or "N = 'dog' 'house'": quoted words are terminals, other
// words nonterminals. A rule is lexical when it holds no nonterminal.
gramarbor::TRuleList MakeRules(const std::vector<std::string>& rules);

// Tokens as the scanner would give them (case-insensitive): a word that is a terminal
// text of the rules is a keyword, anything else an identifier (upper-cased text).
std::vector<gramarbor::TTokLst> MakeTokens(const gramarbor::TRuleList& rules,
                                           const std::string& sentence);

// The rule paths of the parser's first `limit` trees in their order, from the tree
// with path startAt on when given.
std::vector<std::vector<uint16_t>> FirstTrees(gramarbor::TChartParser& parser, std::size_t limit,
                                              const std::vector<uint16_t>* startAt = nullptr);

// The prepositional-phrase grammar: "I saw the man" followed by n phrases has
// Catalan(n + 1) trees.
inline const std::vector<std::string> PpGrammar = {
    "START = S",       "S = NP VP",  "NP = PRON",  "NP = DET N",  "NP = NP PP", "VP = V NP",
    "VP = VP PP",      "PP = P NP",  "PRON = 'I'", "DET = 'the'", "DET = 'a'",  "N = 'man'",
    "N = 'telescope'", "N = 'park'", "V = 'saw'",  "P = 'with'",  "P = 'in'"};

inline std::string PpSentence(int phrases) {
    std::string sentence = "I saw the man";
    for (int i = 0; i < phrases; ++i)
        sentence += i % 2 ? " in the park" : " with a telescope";
    return sentence;
}

// Small random grammars over 'a' and 'b' whose unit rules only point to later
// symbols, so that no unit rules form a cycle, and sentences of 1 to 7 words for them.
std::vector<std::string> RandomGrammar(std::mt19937& random);
std::string RandomSentence(std::mt19937& random);

} // namespace testing_support
