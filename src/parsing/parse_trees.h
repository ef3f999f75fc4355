// The parse-tree enumeration (every leftmost derivation of the sentence) and the
// bracketed text of a derivation's tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"

namespace gramarbor {

// Reference enumeration of the parse trees.
//
// Rebuilds store.Tokens from run.Scanner, then derives the sentence leftmost from the
// start rule, trying the alternatives of the leftmost nonterminal in stored order and
// pruning a pattern as soon as its leading terminals differ from the sentence or it
// grows longer than the sentence. Every complete derivation appends its rule path
// (the start rule first, each rule as WordToStr2, in pre-order of the tree) to
// store.ParseTrees, so each distinct tree appears exactly once, in the order given by
// the rule alternatives. Without poParseTrees in options it stops after the first
// path (store.ParseFound is then set). Only poParseTrees and poCaseSensitive count.
//
// False after an error (tokens incomplete, a unit-rule cycle reachable from the start
// symbol, memory: then the list is emptied, so that no rule path can pass for a tree
// text) or when run.Cancel stopped it; true otherwise, also when no derivation exists.
bool EnumerateParses(TParser& store, uint8_t options, TParseRun& run);

// "[S [NP [DET [the]] ...]]": the tree of a rule path. Lexical rules give leaves
// with the grammar's terminal texts.
std::string PathToBracketText(const TParser& store, const std::string& path);

// The text of the subtree whose rule starts at position (0-based, in characters) of
// path; position moves past the rules consumed.
std::string SubtreeText(const TParser& store, const std::string& path, std::size_t& position);

} // namespace gramarbor
