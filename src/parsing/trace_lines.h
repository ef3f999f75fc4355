// The trace list: one numbered line per pattern a strategy forms.
#pragma once

#include <cstddef>
#include <string>

#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"

namespace gramarbor {

// Rule references that are not rule numbers.
inline constexpr int RefNoRule = -1;   // "-": the start line, a breadth-first step
inline constexpr int RefCategory = -2; // "*": a bottom-up category line

// "N<tab>RULE<tab> SYM SYM ...": N is the line count before the line is added.
std::string TraceLineText(std::size_t number, int ruleRef, const TPattern& pattern);

// The last line of a trace list that reached its limit: "... trace list cut short
// after 1234 lines (limit 256 MB)".
std::string TraceCutShortLine(std::size_t lines, std::size_t limitBytes);

// Appends the trace line of pattern. When the list cannot grow (past
// run.MaxTraceBytes, or out of memory) it keeps its lines, ends with
// TraceCutShortLine and takes no more lines in this run; with
// run.ReportTraceOverflow the memory message is shown then (once). The result is
// false when the line was not added; the search goes on regardless.
bool AddTraceLine(TParser& store, const TPattern& pattern, int ruleRef, TParseRun& run);

// Appends a ready-made line under the same rules.
bool AppendTraceLine(TParser& store, std::string line, TParseRun& run);

// Deletes the last line when there is one (optimal traces drop failed searches). A
// list that was cut short stays as it is.
void DeleteLastTraceLine(TParser& store, TParseRun& run);

} // namespace gramarbor
