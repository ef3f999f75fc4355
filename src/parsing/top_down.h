// The top-down strategies: derive the sentence from the start symbol, depth-first
// or breadth-first, recording every pattern in the trace list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"

namespace gramarbor {

struct TSearch;

// Runs the strategy that options select (poDepthFirst or breadth-first) on the
// sentence of run; true when the sentence was derived. Refuses grammars whose unit
// rules form a reachable cycle. Stops early, returning false, when run.Cancel is set.
bool TopDownParse(TParser& store, uint8_t options, TParseRun& run);

// Expands every nonterminal of the pattern, each alternative in turn, depth-first.
void TopDownDepthFirst(TSearch& search, const TPattern& pattern);
// Expands all nonterminals of the pattern at once, for every combination of
// alternatives.
void TopDownBreadthFirst(TSearch& search, const TPattern& pattern);

// Odometer over alternative choices, position 0 turning fastest. The first call
// (firstCall set) yields the all-zero combination and clears firstCall; false when
// every combination has been produced.
bool NextAlternativeCombination(std::vector<uint16_t>& current,
                                const std::vector<uint16_t>& highest, std::size_t length,
                                bool& firstCall);

} // namespace gramarbor
