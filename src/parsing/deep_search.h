// Runs a search on a thread with a large stack, so that the recursion of the
// strategies over a long sentence cannot overflow the caller's stack.
#pragma once

#include <cstddef>
#include <functional>

#include "parsing/parse_run.h"

namespace gramarbor {

inline constexpr std::size_t SearchStackBytes = std::size_t(1) << 30;

// Runs work to its end on a thread with SearchStackBytes of stack and waits for it;
// exceptions are passed on. Work started from within such a thread runs directly.
// When no thread can be made, work runs on the calling thread.
void RunDeepSearch(const std::function<void()>& work);

// The same for a search of run: while work runs, the run's messages are collected,
// and afterwards they are passed on to the run's sink in order on the calling thread,
// so a sink bound to a thread (a GUI's) is never called from the search thread.
void RunDeepSearch(const TParser& store, TParseRun& run, const std::function<void()>& work);

} // namespace gramarbor
