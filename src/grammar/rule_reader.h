// The line reader of the external CFG notation: one rule per line, elements
// separated by blanks (or by the character 127), with [..], {..}, <..> and (..).
#pragma once

#include <string>
#include <vector>

#include "grammar/grammar_store.h"

namespace gramarbor {

// Reads the rule lines into the parser's already allocated Rules entries, one per line
// and in order. Stops at the first error: the message has gone to the parser's sink,
// ErrorLine holds the index of the offending line and the result is false. Rules read
// before the error keep their contents.
bool ReadRules(TParser& parser, const std::vector<std::string>& lines);

// Reads one element text into node. isTerminal is set for quoted terminals and token
// classes (also inside [..] and {..}) and cleared for nonterminals and lists of
// alternatives. Reports a malformed element to the parser's sink and returns false.
bool ParseElement(TParser& parser, const std::string& text, TElemNode& node, bool& isTerminal);

} // namespace gramarbor
