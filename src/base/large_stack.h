// Runs a deep recursion on a thread of its own with a large stack, so that long
// inputs cannot overflow the stack of the calling thread.
#pragma once

#include <cstddef>
#include <functional>

namespace gramarbor {

inline constexpr std::size_t DeepStackBytes = std::size_t(1) << 30;

// Runs work to its end on a new thread with stackBytes of stack and waits for it.
// Work started from within such a thread runs directly; when no thread can be made,
// work runs on the calling thread. Exceptions thrown by work are passed on.
void RunWithLargeStack(const std::function<void()>& work, std::size_t stackBytes = DeepStackBytes);

// True on a thread started by RunWithLargeStack.
bool OnLargeStack();

} // namespace gramarbor
