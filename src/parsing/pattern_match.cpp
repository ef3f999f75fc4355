// Comparing patterns with the sentence's tokens and with right sides of rules.
#include "parsing/pattern_match.h"

#include "parsing/parse_options.h"
#include "text/text_utils.h"

namespace gramarbor {

TMatchResult MatchPattern(const TParser& store, const TPattern& pattern, uint8_t options,
                          bool complete) {
    const bool caseSensitive = (options & poCaseSensitive) != 0;
    const std::size_t tokenCount = store.Tokens.size();
    bool ok = true;
    bool sawNonTerminal = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (i >= tokenCount) {
            ok = false;
            break;
        }
        const TElemNode& symbol = *pattern[i];
        if (symbol.SymKind == ekNonTerminal) {
            if (complete)
                ok = false;
            else
                sawNonTerminal = true;
            break;
        }
        ok = TokenMatchesSymbol(symbol, store.Tokens[i], caseSensitive);
        if (!ok) break;
    }
    if (complete) return ok && pattern.size() == tokenCount ? pmComplete : pmFail;
    if (!ok) return pmFail;
    if (sawNonTerminal) return pattern.size() <= tokenCount ? pmPrefix : pmFail;
    return pattern.size() == tokenCount ? pmComplete : pmFail;
}

bool PrefixMatch(const TParser& store, const TPattern& pattern, bool caseSensitive, int& matched) {
    matched = 0;
    if (pattern.size() > store.Tokens.size()) {
        matched = -1;
        return false;
    }
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i]->SymKind == ekNonTerminal) break;
        if (!TokenMatchesSymbol(*pattern[i], store.Tokens[i], caseSensitive)) return false;
        ++matched;
    }
    return true;
}

bool SymbolsEqual(const TElemNode& a, const TElemNode& b) {
    return a.SymKind == b.SymKind && a.Construct == b.Construct && a.Text == b.Text;
}

bool RhsMatchesAt(const std::vector<TElemNode>& rhs, const TPattern& pattern, std::size_t start) {
    if (rhs.empty() || start + rhs.size() > pattern.size()) return false;
    for (std::size_t k = 0; k < rhs.size(); ++k)
        if (!SymbolsEqual(rhs[k], *pattern[start + k])) return false;
    return true;
}

std::size_t AlternativeCount(const TElemNode& nonterminal) {
    return nonterminal.Refs.size() / 4;
}

std::size_t AlternativeRule(const TElemNode& nonterminal, std::size_t i) {
    const auto low = static_cast<unsigned char>(nonterminal.Refs[i * 4]);
    const auto high = static_cast<unsigned char>(nonterminal.Refs[i * 4 + 1]);
    return static_cast<std::size_t>(low | (high << 8));
}

} // namespace gramarbor
