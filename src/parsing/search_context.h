// State shared by the recursive steps of one search: options, cancellation and
// the depth bound. Internal to the parsing strategies.
#pragma once

#include <cstddef>
#include <cstdint>

#include "grammar/grammar_store.h"
#include "parsing/parse_options.h"
#include "parsing/parse_run.h"
#include "parsing/unit_cycles.h"

namespace gramarbor {

// The set-up every search makes before its first step: clears store.ParseFound,
// rebuilds store.Tokens from run.Scanner (reporting the token-list message when the
// sentence cannot be read), and refuses a missing start rule and a cycle of unit rules
// within scope (reporting the cycle). True when the search may start.
bool BeginSearch(TParser& store, TParseRun& run, UnitCycleScope scope);

// Calls of TSearch::Interrupted between two looks at the cancel token: a few
// hundred steps take well under a millisecond.
inline constexpr std::size_t CancelPollInterval = 256;

struct TSearch {
    TSearch(TParser& store, uint8_t options, TParseRun& run)
        : Store(store), Run(run), Options(options), Trace((options & poTraceList) != 0),
          Optimal((options & poTraceList) != 0 && (options & poOptimalTrace) != 0),
          CaseSensitive((options & poCaseSensitive) != 0), TokenCount(store.Tokens.size()) {}

    TParser& Store;
    TParseRun& Run;
    uint8_t Options;
    bool Trace;
    bool Optimal;
    bool CaseSensitive;
    std::size_t TokenCount;
    std::size_t Depth = 0;
    std::size_t Polls = 0;
    // Cancelled, or too deep: every loop ends as if a parse had been found.
    bool Aborted = false;
    // The trace line of the pattern the current step works on (NoTraceLine for none:
    // the words of a bottom-up search, or a line that was not added).
    uint32_t PatternLine = NoTraceLine;

    bool Stopped() const { return Store.ParseFound || Aborted; }

    // Polled by every step and by loops that may run long between steps: looks at
    // the cancel token every CancelPollInterval calls (the first call included) and,
    // once it is set, raises Run.Cancelled and Aborted. True when the search must end.
    bool Interrupted() {
        if (Aborted) return true;
        if ((Polls++ % CancelPollInterval) != 0 || Run.Cancel == nullptr) return false;
        if (!Run.Cancel->IsCancelled()) return false;
        Run.Cancelled = true;
        Aborted = true;
        return true;
    }

    // Entered at the start of each recursive step; false when the search must end.
    bool Enter();
    void Leave() { --Depth; }

    // With a trace list: adds the line of pattern, formed from PatternLine's pattern
    // as kind and choices say. The line's number, or NoTraceLine when none was added.
    uint32_t Record(const TPattern& pattern, int ruleRef, TStepKind kind, const uint32_t* choices,
                    std::size_t count);
};

// Makes line the pattern line of the search for the lifetime of the scope.
class TPatternLineScope {
public:
    TPatternLineScope(TSearch& search, uint32_t line) : Search(search), Outer(search.PatternLine) {
        search.PatternLine = line;
    }
    ~TPatternLineScope() { Search.PatternLine = Outer; }
    TPatternLineScope(const TPatternLineScope&) = delete;
    TPatternLineScope& operator=(const TPatternLineScope&) = delete;

private:
    TSearch& Search;
    uint32_t Outer;
};

// Enters a search step for the lifetime of the guard.
class TStepGuard {
public:
    explicit TStepGuard(TSearch& search) : Search(search), Entered(search.Enter()) {}
    ~TStepGuard() {
        if (Entered) Search.Leave();
    }
    TStepGuard(const TStepGuard&) = delete;
    TStepGuard& operator=(const TStepGuard&) = delete;
    bool Ok() const { return Entered; }

private:
    TSearch& Search;
    bool Entered;
};

} // namespace gramarbor
