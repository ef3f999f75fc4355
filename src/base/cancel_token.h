// A flag that a long search polls so that the user can stop it from another thread.
#pragma once

#include <atomic>

namespace gramarbor {

class CancelToken {
public:
    void Cancel() { Cancelled.store(true, std::memory_order_relaxed); }
    void Reset() { Cancelled.store(false, std::memory_order_relaxed); }
    bool IsCancelled() const { return Cancelled.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> Cancelled{false};
};

} // namespace gramarbor
