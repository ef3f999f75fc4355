// The set-up of a search and its depth-bounded steps.
#include "parsing/search_context.h"

#include "parsing/trace_lines.h"

namespace gramarbor {

bool BeginSearch(TParser& store, TParseRun& run, UnitCycleScope scope) {
    store.ParseFound = false;
    if (!RebuildTokens(store, run)) {
        run.Messages(store).Error(TokenListMessage(run));
        return false;
    }
    if (store.StartLine < 0 || static_cast<std::size_t>(store.StartLine) >= store.Rules.size())
        return false;
    return !RefuseUnitCycle(store, scope, run.Messages(store));
}

bool TSearch::Enter() {
    if (Interrupted()) return false;
    if (Depth >= MaxSearchDepth) {
        // The recursion would outgrow its stack: end the search as out of memory.
        Run.Messages(Store).Error(MsgParserMemory);
        Aborted = true;
        return false;
    }
    ++Depth;
    return true;
}

uint32_t TSearch::Record(const TPattern& pattern, int ruleRef, TStepKind kind,
                         const uint32_t* choices, std::size_t count) {
    if (!Trace) return NoTraceLine;
    const uint32_t line = NextTraceLine(Store);
    return AddTraceLine(Store, pattern, ruleRef, Run, {kind, PatternLine, choices, count})
               ? line
               : NoTraceLine;
}

} // namespace gramarbor
