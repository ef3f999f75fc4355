// Runs a search on a thread with a large stack, so that the recursion of the
// strategies over a long sentence cannot overflow the caller's stack.
#pragma once

#include <cstddef>
#include <functional>

namespace gramarbor {

inline constexpr std::size_t SearchStackBytes = std::size_t(1) << 30;

// Runs work to its end on a thread with SearchStackBytes of stack and waits for it;
// exceptions are passed on. Work started from within such a thread runs directly.
// When no thread can be made, work runs on the calling thread.
void RunDeepSearch(const std::function<void()>& work);

} // namespace gramarbor
