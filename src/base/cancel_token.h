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
    // nothing measurable; the count lets another thread wait until a search is running.
    bool IsCancelled() const {
        Checks.fetch_add(1, std::memory_order_relaxed);
        Checks.notify_all();
        return Cancelled.load(std::memory_order_relaxed);
    }
    // Blocks until IsCancelled has been asked at least count times in all.
    void WaitForChecks(uint64_t count) const {
        for (uint64_t seen = Checks.load(); seen < count; seen = Checks.load())
            Checks.wait(seen);
    }

private:
    std::atomic<bool> Cancelled{false};
    mutable std::atomic<uint64_t> Checks{0};
};

} // namespace gramarbor
