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

namespace {

struct Reference {
    const TRuleList& Rules;
    const std::vector<TTokLst>& Tokens;
    const std::function<bool(const std::vector<uint16_t>&)>& Visit;
    long StepsLeft;
    bool Stopped = false;

    bool Matches(const TElemNode& symbol, const TTokLst& token) const {
        switch (symbol.SymKind) {
        case ekTerminal:
            return token.Code >= 1 && token.Code <= MaxKeywordCode &&
                   token.Val.Text == UpperCaseGerman(symbol.Text);
        case ekIdent:
            return token.Code == tkIdent;
        case ekNumber:
            return token.Code == tkFloat || token.Code == tkInteger;
        case ekFloat:
            return token.Code == tkFloat;
        case ekInteger:
            return token.Code == tkInteger;
        default:
            return true;
        }
    }

    // Leading terminals must match the tokens and the pattern must not be longer.
    bool PrefixMatch(const std::vector<const TElemNode*>& pattern, std::size_t& matched) const {
        matched = 0;
        if (pattern.size() > Tokens.size()) return false;
        for (const TElemNode* symbol : pattern) {
            if (symbol->SymKind == ekNonTerminal) break;
            if (!Matches(*symbol, Tokens[matched])) return false;
            ++matched;
        }
        return true;
    }

    void Expand(std::vector<const TElemNode*>& pattern, std::vector<uint16_t>& path) {
        if (Stopped || --StepsLeft < 0) {
            Stopped = true;
            return;
        }
        std::size_t matched = 0;
        if (!PrefixMatch(pattern, matched)) return;
        if (matched == Tokens.size()) {
            if (!Visit(path)) Stopped = true;
            return;
        }
        if (matched == pattern.size()) return;
        const std::string name = pattern[matched]->Text;
        for (std::size_t r = 0; r < Rules.size() && !Stopped; ++r) {
            if (Rules[r].Line.Left.Text != name) continue;
            std::vector<const TElemNode*> next(pattern.begin(), pattern.begin() + matched);
            for (const auto& elem : Rules[r].Line.Right)
                next.push_back(&elem);
            next.insert(next.end(), pattern.begin() + matched + 1, pattern.end());
            path.push_back(static_cast<uint16_t>(r));
            Expand(next, path);
            path.pop_back();
        }
    }
};

} // namespace

bool ReferenceEnumerate(const TRuleList& rules, int startLine, const std::vector<TTokLst>& tokens,
                        const std::function<bool(const std::vector<uint16_t>&)>& visit,
                        long maxSteps) {
    Reference reference{rules, tokens, visit, maxSteps};
    std::vector<const TElemNode*> pattern;
    for (const auto& elem : rules[startLine].Line.Right)
        pattern.push_back(&elem);
    std::vector<uint16_t> path{static_cast<uint16_t>(startLine)};
    reference.Expand(pattern, path);
    return reference.StepsLeft >= 0;
}

} // namespace testing_support
