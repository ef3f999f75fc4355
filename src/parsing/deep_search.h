// Runs a search on a thread with a large stack, so that the recursion of the
// strategies over a long sentence cannot overflow the caller's stack.
#pragma once

#include <cstddef>
#include <functional>

namespace gramarbor {

class TParser;

inline constexpr std::size_t SearchStackBytes = std::size_t(1) << 30;

// Runs work to its end on a thread with SearchStackBytes of stack and waits for it;
// exceptions are passed on. Work started from within such a thread runs directly.
// When no thread can be made, work runs on the calling thread.
void RunDeepSearch(const std::function<void()>& work);

// The same for a search that reports through store.Sink: while work runs, its
// messages are collected, and afterwards they are passed on to store.Sink in order on
// the calling thread, so a sink bound to a thread (a GUI's) is never called from the
// search thread.
void RunDeepSearch(TParser& store, const std::function<void()>& work);

} // namespace gramarbor
