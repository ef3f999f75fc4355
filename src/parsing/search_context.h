// State shared by the recursive steps of one search: options, cancellation and
// the depth bound. Internal to the parsing strategies.
#pragma once

#include <cstddef>
#include <cstdint>

#include "grammar/grammar_store.h"
#include "parsing/parse_options.h"
#include "parsing/parse_run.h"

namespace gramarbor {

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
    // Cancelled, or too deep: every loop ends as if a parse had been found.
    bool Aborted = false;

    bool Stopped() const { return Store.ParseFound || Aborted; }

    // Entered at the start of each recursive step; false when the search must end.
    bool Enter();
    void Leave() { --Depth; }
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
