// A flag that a long search polls so that the user can stop it from another thread.
#pragma once

#include <atomic>
#include <cstdint>

namespace gramarbor {

class CancelToken {
public:
    void Cancel() { Cancelled.store(true, std::memory_order_relaxed); }
    void Reset() { Cancelled.store(false, std::memory_order_relaxed); }
    // Searches call this only every few hundred steps, so counting the calls costs
    // nothing measurable; the count lets another thread see that a search is running.
    bool IsCancelled() const {
        Checks.fetch_add(1, std::memory_order_relaxed);
        return Cancelled.load(std::memory_order_relaxed);
    }
    // How often IsCancelled has been asked so far.
    uint64_t CheckCount() const { return Checks.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> Cancelled{false};
    mutable std::atomic<uint64_t> Checks{0};
};

} // namespace gramarbor
