// The trace list: one numbered line per pattern a strategy forms.
#pragma once

#include <cstddef>
#include <string>

#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"
#include "parsing/trace_steps.h"

namespace gramarbor {

// Rule references that are not rule numbers.
inline constexpr int RefNoRule = -1;   // "-": the start line, a breadth-first step
inline constexpr int RefCategory = -2; // "*": a bottom-up category line

// "N<tab>RULE<tab> SYM SYM ...": N is the line count before the line is added.
std::string TraceLineText(std::size_t number, int ruleRef, const TPattern& pattern);

// The last line of a trace list that reached its limit: "... trace list cut short
// after 1234 lines (limit 256 MB)".
std::string TraceCutShortLine(std::size_t lines, std::size_t limitBytes);

// How a new line's pattern was formed (see TStepKind): kept in run.TraceSteps
// when run.KeepTraceSteps is set.
struct TStepNote {
    TStepKind Kind = TStepKind::Start;
    uint32_t From = NoTraceLine;
    const uint32_t* Choices = nullptr;
    std::size_t Count = 0;
};

// Appends the trace line of pattern (and, when kept, its step). When the list
// cannot grow (past run.MaxTraceBytes, which the kept steps count towards, or out
// of memory) it keeps its lines, ends with TraceCutShortLine and takes no more
// lines in this run; with run.ReportTraceOverflow the memory message is shown then
// (once). The result is false when the line was not added; the search goes on
// regardless.
bool AddTraceLine(TParser& store, const TPattern& pattern, int ruleRef, TParseRun& run,
                  const TStepNote& step);

// Appends a ready-made line under the same rules.
bool AppendTraceLine(TParser& store, std::string line, TParseRun& run, const TStepNote& step);

// The number the next trace line will get, as a step's From (NoTraceLine past the
// 32-bit range).
uint32_t NextTraceLine(const TParser& store);

// Deletes the last line, and its step, when there is one (optimal traces drop
// failed searches). A list that was cut short stays as it is.
void DeleteLastTraceLine(TParser& store, TParseRun& run);

} // namespace gramarbor
