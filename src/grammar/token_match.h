// Whether a grammar symbol accepts a token of the sentence: shared by every parsing
// engine, so that they all agree on what a word matches.
#pragma once

#include "grammar/grammar_types.h"
#include "text/token.h"

namespace gramarbor {

// Quoted texts match keywords of the same text (the symbol's text folded to upper
// case unless caseSensitive, as the scanner folds the words); the token classes match
// their token kinds (@Number both integers and floats); other kinds accept anything.
bool TokenMatchesSymbol(const TElemNode& symbol, const TTokLst& token, bool caseSensitive);

} // namespace gramarbor
