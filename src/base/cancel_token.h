// A flag that a long search polls so that the user can stop it from another thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace gramarbor {

class CancelToken {
public:
    void Cancel() { Cancelled.store(true, std::memory_order_relaxed); }
    void Reset() { Cancelled.store(false, std::memory_order_relaxed); }
    // Searches call this only every few hundred steps, so counting the calls costs
    // nothing measurable; the count lets another thread wait until a search is running.
    bool IsCancelled() const {
        if (Checks.fetch_add(1) + 1 == WakeAt.load()) {
            const std::lock_guard<std::mutex> lock(WaitMutex);
            Waiting.notify_all();
        }
        return Cancelled.load(std::memory_order_relaxed);
    }
    // Blocks until IsCancelled has been asked at least count times in all (one waiting
    // thread at a time).
    void WaitForChecks(uint64_t count) const {
        std::unique_lock<std::mutex> lock(WaitMutex);
        WakeAt.store(count);
        Waiting.wait(lock, [&] { return Checks.load() >= count; });
        WakeAt.store(0);
    }

private:
    std::atomic<bool> Cancelled{false};
    mutable std::atomic<uint64_t> Checks{0};
    // The count at which IsCancelled wakes the waiting thread; 0 while none waits.
    mutable std::atomic<uint64_t> WakeAt{0};
    mutable std::mutex WaitMutex;
    mutable std::condition_variable Waiting;
};

} // namespace gramarbor
