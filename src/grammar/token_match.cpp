// Matching one grammar symbol against one token of the sentence.
#include "grammar/token_match.h"

#include "text/text_utils.h"

namespace gramarbor {

namespace {

// token == UpperCaseGerman(text), without building the folded copy.
bool EqualsFolded(const std::string& token, const std::string& text) {
    if (token.size() != text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (token[i] != UpCaseChar(text[i])) return false;
    return true;
}

} // namespace

bool TokenMatchesSymbol(const TElemNode& symbol, const TTokLst& token, bool caseSensitive) {
    switch (symbol.SymKind) {
    case ekTerminal:
        return token.Code >= 1 && token.Code <= MaxKeywordCode &&
               (caseSensitive ? token.Val.Text == symbol.Text
                              : EqualsFolded(token.Val.Text, symbol.Text));
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

} // namespace gramarbor
