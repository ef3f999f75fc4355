// The text form of rules: the listing of the internal CFG ("0 (N):<tab>S = NP VP").
#pragma once

#include <string>
#include <vector>

#include "grammar/grammar_store.h"

namespace gramarbor {

// The display form of one element: the name, the quoted terminal or the token class,
// in [..] or {..} for optional and repeated elements, <a,b> and (a,b) for lists.
std::string ElemToText(const TElemNode& node);

// One listing line for the rule with the given index.
std::string RuleToText(const TGramLine& rule, std::size_t index, const std::string& sep);

// Appends one line per rule of rules to lines, in list order.
void ListRules(const TParser& parser, const TRuleList& rules, std::vector<std::string>& lines);

// The lines of the "Internal CFG" page: the listing of parser.Rules.
std::vector<std::string> ShowInternal(const TParser& parser);

} // namespace gramarbor
