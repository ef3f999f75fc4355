// Expansion of [..], {..}, <..> and (..) elements into plain rules.
#pragma once

#include "grammar/grammar_store.h"

namespace gramarbor {

// Rewrites parser.Rules until no right side holds a complex element. Works in passes:
// each pass expands the first complex element of every rule and puts the generated
// rules directly after it; new nonterminals "#n" take their numbers from
// parser.NameCounter in the order of the passes. Returns false (message reported,
// ErrorLine set to the rule line whose expansion overflowed) when the grammar would
// grow beyond what the internal CFG can hold.
bool ExpandRules(TParser& parser);

// True when some element of the right side is not ctSimple.
bool HasComplexElement(const TGramLine& rule);

// The nonterminal "#n" that expansion and terminal separation generate.
TElemNode GeneratedNonTerminal(int32_t number, uint8_t construct = ctSimple);

} // namespace gramarbor
