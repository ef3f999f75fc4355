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
    if (word.size() >= 2 && word.front() == '\'') {
        elem.SymKind = ekTerminal;
        elem.Text = word.substr(1, word.size() - 2);
    } else if (word == "@Ident") {
        elem.SymKind = ekIdent, elem.Text = word;
    } else if (word == "@Number") {
        elem.SymKind = ekNumber, elem.Text = word;
    } else if (word == "@Float") {
        elem.SymKind = ekFloat, elem.Text = word;
    } else if (word == "@Integer") {
        elem.SymKind = ekInteger, elem.Text = word;
    } else {
        elem.SymKind = ekNonTerminal;
        elem.Text = UpperCaseGerman(word);
    }
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
        if (keywords.count(upper)) {
            token.Code = 1;
            token.Val.Text = upper;
        } else if (word.find_first_not_of("0123456789") == std::string::npos) {
            token.Code = tkInteger;
        } else if (word.find_first_not_of("0123456789.") == std::string::npos) {
            token.Code = tkFloat;
        } else {
            token.Code = tkIdent;
            token.Val.Text = upper;
        }
        tokens.push_back(token);
    }
    return tokens;
}

} // namespace testing_support
