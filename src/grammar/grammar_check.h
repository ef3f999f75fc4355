// The grammar check: reads the rule lines and normalises them into the internal CFG.
#pragma once

#include <string>
#include <vector>

#include "grammar/grammar_store.h"

namespace gramarbor {

// Fills the parser from the rule lines (already trimmed, without comment lines).
// funcCalls, when given, holds one caller reference per line. Without fullCheck the
// rules are only read and copied into ExtRules. With it they are expanded, terminals
// are separated into lexical rules, duplicates removed, lexical flags, cross
// references and the token list built and the start rule found.
//
// Result: true when the grammar is valid (ErrorLine -1). Otherwise the first fault has
// been reported to the parser's sink and ErrorLine holds the index of the rule line to
// blame (0 when no single line can be blamed).
bool CheckGrammar(TParser& parser, const std::string& sep, const std::string& commentSyms,
                  const std::vector<std::string>& lines, const std::vector<const void*>* funcCalls,
                  bool fullCheck);

} // namespace gramarbor
