// The literal leftmost enumeration of every parse tree, kept as the reference that
// the chart parser's trees are compared with.
#pragma once

#include <cstdint>

#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"
#include "parsing/parse_trees.h"

namespace gramarbor::testing {

// Rebuilds store.Tokens from run.Scanner, then derives the sentence leftmost from the
// start rule, trying the alternatives of the leftmost nonterminal in stored order and
// pruning a pattern as soon as its leading terminals differ from the sentence or it
// grows longer than the sentence. Every complete derivation appends its rule path to
// paths. Without poParseTrees it stops after the first path. At most
// run.MaxParseTrees paths are kept. False after an error or when cancelled.
bool EnumerateParses(TParser& store, uint8_t options, TParseRun& run,
                     std::vector<TRulePath>& paths);

} // namespace gramarbor::testing
