// The parse trees of a sentence found through the chart parser: exactly the trees of
// the leftmost enumeration, in its order, without its dead ends, and their number.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/big_uint.h"
#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"
#include "parsing/parse_trees.h"

namespace gramarbor {

// Rebuilds store.Tokens from run.Scanner and fills paths (emptied first, and again
// when the enumeration fails) with the rule path of each parse tree, in the order in
// which a leftmost derivation trying the rules of each nonterminal in stored order
// finds them. Without poParseTrees in options only
// the first path is kept (store.ParseFound is then set); with it at most
// run.MaxParseTrees paths are kept (run.TreesTruncated tells when there were more)
// and run.TreeCount receives the exact number of trees (when run.CountTrees is set).
// Only poParseTrees and poCaseSensitive count.
//
// False after an error (tokens incomplete, a unit-rule cycle reachable from the start
// symbol) or when run.Cancel stopped it; true otherwise, also when the sentence has no
// tree. Running out of memory is passed on as std::bad_alloc.
bool ChartEnumerateParses(TParser& store, uint8_t options, TParseRun& run,
                          std::vector<TRulePath>& paths);

// The same enumeration of every tree, delivering bracketed texts one at a time as
// they are found: to run.OnParseTree when it is set (store.ParseTrees then stays
// empty, and a false from it ends the enumeration), otherwise into store.ParseTrees.
// At most run.MaxParseTrees texts; run.TreesFound tells how many. Only
// poCaseSensitive of options counts.
bool ChartEnumerateTreeTexts(TParser& store, uint8_t options, TParseRun& run);

// The exact number of parse trees of sentence, counted from the chart without
// enumerating them. Nothing when the sentence cannot be tokenised, a unit-rule cycle
// is reachable from the start symbol or memory runs out. Shows no message; leaves
// store.Tokens holding the sentence's tokens and the other parse data untouched.
std::optional<BigUint> CountParseTrees(TParser& store, const std::vector<std::string>& sentence,
                                       uint8_t options);

} // namespace gramarbor
