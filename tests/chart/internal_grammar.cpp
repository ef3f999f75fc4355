// Builds internal grammars for the chart tests without the grammar check.
#include "internal_grammar.h"

#include <sstream>
#include <unordered_set>

#include "text/text_utils.h"

using namespace gramarbor;

namespace testing_support {

namespace {

TElemNode MakeElem(const std::string& word) {
    TElemNode elem;
    const bool terminal = word.size() >= 2 && word.front() == '\'';
    elem.SymKind = terminal ? ekTerminal : ekNonTerminal;
    elem.Text = terminal ? word.substr(1, word.size() - 2) : UpperCaseGerman(word);
    return elem;
}

} // namespace

TRuleList MakeRules(const std::vector<std::string>& rules) {
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

std::vector<TTokLst> MakeTokens(const TRuleList& rules, const std::string& sentence) {
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

std::vector<std::vector<uint16_t>> FirstTrees(TChartParser& parser, std::size_t limit,
                                              const std::vector<uint16_t>* startAt) {
    std::vector<std::vector<uint16_t>> paths;
    parser.Enumerate(
        [&](const std::vector<uint16_t>& path) {
            paths.push_back(path);
            return paths.size() < limit;
        },
        nullptr, startAt);
    return paths;
}

std::vector<std::string> RandomGrammar(std::mt19937& random) {
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

std::string RandomSentence(std::mt19937& random) {
    std::string sentence;
    for (int n = 1 + static_cast<int>(random() % 7); n > 0; --n)
        sentence += random() % 2 ? "a " : "b ";
    return sentence;
}

} // namespace testing_support
