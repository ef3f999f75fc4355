// Comparing patterns with the sentence's tokens and with rule right sides.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "grammar/grammar_store.h"
#include "grammar/token_match.h"
#include "parsing/parse_run.h"

namespace gramarbor {

enum TMatchResult : uint8_t { pmFail = 1, pmPrefix = 2, pmComplete = 3 };

// Compares the pattern with store.Tokens from the left. With complete the pattern
// must be all terminals and match the whole sentence; otherwise the terminals before
// the first nonterminal must match and the pattern may not be longer than the
// sentence (pmPrefix).
TMatchResult MatchPattern(const TParser& store, const TPattern& pattern, uint8_t options,
                          bool complete);

// Matches the leading terminals of the pattern against the tokens. matched receives
// their number (-1 when the pattern is longer than the sentence). False on a
// mismatch or when the pattern is too long.
bool PrefixMatch(const TParser& store, const TPattern& pattern, bool caseSensitive, int& matched);

// Equal kind, construct and text.
bool SymbolsEqual(const TElemNode& a, const TElemNode& b);

// True when every symbol of rhs equals the pattern symbol at the same offset from
// start, all within the pattern. An empty rhs never matches.
bool RhsMatchesAt(const std::vector<TElemNode>& rhs, const TPattern& pattern, std::size_t start);

// Number of rules defining a right-side nonterminal and the rule of alternative i
// (definition entries of its Refs, in rule order).
std::size_t AlternativeCount(const TElemNode& nonterminal);
std::size_t AlternativeRule(const TElemNode& nonterminal, std::size_t i);

} // namespace gramarbor
