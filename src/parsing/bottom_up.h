// The bottom-up strategies: reduce the words of the sentence with the rules until
// the start symbol stands alone, depth-first or breadth-first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"

namespace gramarbor {

struct TSearch;
struct TBottomUpSearch;

// Runs the strategy that options select on the sentence of run; true when the
// sentence was reduced to the start symbol. Refuses grammars whose unit rules form
// a cycle that reductions can reach. Stops early, returning false, when run.Cancel
// is set.
bool BottomUpParse(TParser& store, uint8_t options, TParseRun& run);

// One entry per token: the numbers of the lexical rules whose single right symbol
// has the token's text, two characters each (WordToStr2), highest rule first.
// Reports the first token without a category to sink and returns false.
bool AssignCategories(const TParser& store, uint8_t options, std::vector<std::string>& categories,
                      MessageSink& sink);

// The depth-first and breadth-first searches over the categories; false only when
// working storage ran out (breadth-first: in the last combination tried).
bool BottomUpDepthFirst(TBottomUpSearch& search, const std::vector<std::string>& categories);
bool ReduceDepthFirst(TBottomUpSearch& search, const TPattern& pattern);
bool BottomUpBreadthFirst(TBottomUpSearch& search, const std::vector<std::string>& categories);
bool ReduceBreadthFirst(TBottomUpSearch& search, const TPattern& pattern);

// Fills reductions with one entry per pattern position: the non-lexical rules whose
// right side matches there, ascending, two characters each. Returns the number of
// positions with at least one.
std::size_t CollectReductions(const TBottomUpSearch& search, const TPattern& pattern,
                              std::vector<std::string>& reductions);

// Odometer over category choices (counting from 1), the last position turning
// fastest; false when the carry passes the first position.
bool NextCategoryCombination(std::vector<uint16_t>& current, const std::vector<uint16_t>& highest,
                             std::size_t length);

// Next choice of reductions (0 = none at a position) with exactly wanted positions
// reduced, lowering wanted when the odometer wraps; false once wanted reaches 0, or
// when search (if given) has been cancelled.
bool NextReductionCombination(std::vector<uint16_t>& current, const std::vector<uint16_t>& highest,
                              std::size_t length, int& wanted, TSearch* search = nullptr);

} // namespace gramarbor
