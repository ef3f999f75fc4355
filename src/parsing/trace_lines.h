// The trace list: one numbered line per pattern a strategy forms.
#pragma once

#include <string>

#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"

namespace gramarbor {

// Rule references that are not rule numbers.
inline constexpr int RefNoRule = -1;   // "-": the start line, a breadth-first step
inline constexpr int RefCategory = -2; // "*": a bottom-up category line

// "N<tab>RULE<tab> SYM SYM ...": N is the line count before the line is added.
std::string TraceLineText(std::size_t number, int ruleRef, const TPattern& pattern);

// Appends the trace line of pattern. When the list cannot grow (out of memory, or
// past run.MaxTraceBytes) the memory message is shown (once per run), the list is
// emptied and the result is false; the search goes on regardless.
bool AddTraceLine(TParser& store, const TPattern& pattern, int ruleRef, TParseRun& run);

// Appends a ready-made line under the same rules.
bool AppendTraceLine(TParser& store, std::string line, TParseRun& run);

// Deletes the last line when there is one (optimal traces drop failed searches).
void DeleteLastTraceLine(TParser& store, TParseRun& run);

} // namespace gramarbor
