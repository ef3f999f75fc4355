// Builds internal grammars and token lists directly, for tests of the parsing
// engines that must not depend on the grammar check or the scanner.
#pragma once

#include <random>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "chart/chart_parser.h"
#include "grammar/grammar_types.h"
#include "text/text_utils.h"
#include "text/token.h"

namespace gramarbor::testing {

// A quoted word is a terminal, any other the name of a nonterminal.
inline TElemNode MakeElem(const std::string& word) {
    TElemNode elem;
    const bool terminal = word.size() >= 2 && word.front() == '\'';
    elem.SymKind = terminal ? ekTerminal : ekNonTerminal;
    elem.Text = terminal ? word.substr(1, word.size() - 2) : UpperCaseGerman(word);
    return elem;
}

// Each rule as "X = A B" or "N = 'dog' 'house'": quoted words are terminals, other
// words nonterminals. A rule is lexical when it holds no nonterminal.
inline TRuleList MakeRules(const std::vector<std::string>& rules) {
    TRuleList list;
    for (const std::string& text : rules) {
        std::istringstream in(text);
        std::string word;
        TParsLine line;
        in >> word;
        line.Line.Left = MakeElem(word);
        in >> word; // "="
        line.Line.Lexical = true;
        while (in >> word) {
            line.Line.Right.push_back(MakeElem(word));
            if (line.Line.Right.back().SymKind == ekNonTerminal) line.Line.Lexical = false;
        }
        list.push_back(std::move(line));
    }
    return list;
}

// Tokens as the scanner would give them (case-insensitive): a word that is a terminal
// text of the rules is a keyword, anything else an identifier (upper-cased text).
inline std::vector<TTokLst> MakeTokens(const TRuleList& rules, const std::string& sentence) {
    std::unordered_set<std::string> keywords;
    for (const auto& rule : rules)
        for (const auto& elem : rule.Line.Right)
            if (elem.SymKind == ekTerminal) keywords.insert(UpperCaseGerman(elem.Text));
    std::vector<TTokLst> tokens;
    std::istringstream in(sentence);
    std::string word;
    while (in >> word) {
        TTokLst token;
        const std::string upper = UpperCaseGerman(word);
        token.Code = keywords.count(upper) ? 1 : tkIdent;
        token.Val.Text = upper;
        tokens.push_back(token);
    }
    return tokens;
}

// The rule paths of the parser's first `limit` trees in their order, from the tree
// with path startAt on when given.
inline std::vector<std::vector<uint16_t>>
FirstTrees(TChartParser& parser, std::size_t limit,
           const std::vector<uint16_t>* startAt = nullptr) {
    std::vector<std::vector<uint16_t>> paths;
    parser.Enumerate(
        [&](const std::vector<uint16_t>& path) {
            paths.push_back(path);
            return paths.size() < limit;
        },
        nullptr, startAt);
    return paths;
}

// Small random grammars over 'a' and 'b' whose unit rules only point to later
// symbols, so that no unit rules form a cycle, and sentences of 1 to 7 words for them.
inline std::vector<std::string> RandomGrammar(std::mt19937& random) {
    const std::vector<std::string> symbols = {"S", "A", "B", "C"};
    std::vector<std::string> rules = {"START = S"};
    const int count = 4 + static_cast<int>(random() % 8);
    for (int i = 0; i < count; ++i) {
        const std::size_t left = random() % symbols.size();
        std::string rule = symbols[left] + " =";
        const auto kind = random() % 4;
        if (kind == 0) {
            rule += random() % 2 ? " 'a'" : " 'b'";
            if (random() % 3 == 0) rule += " 'b'";
        } else if (kind == 1 && left + 1 < symbols.size()) {
            rule += " " + symbols[left + 1 + random() % (symbols.size() - left - 1)];
        } else {
            for (int n = 2 + static_cast<int>(random() % 2); n > 0; --n)
                rule += " " + symbols[random() % symbols.size()];
        }
        rules.push_back(rule);
    }
    for (const auto& symbol : symbols)
        rules.push_back(symbol + (random() % 2 ? " = 'a'" : " = 'b'"));
    return rules;
}

inline std::string RandomSentence(std::mt19937& random) {
    std::string sentence;
    for (int n = 1 + static_cast<int>(random() % 7); n > 0; --n)
        sentence += random() % 2 ? "a " : "b ";
    return sentence;
}

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

} // namespace gramarbor::testing
