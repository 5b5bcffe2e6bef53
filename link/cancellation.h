// A request to stop a transfer: made from any thread, or from a signal handler, and seen by the
// protocol engines at their next wait, so a transfer stops cleanly between two exchanges.
#pragma once

#include <atomic>

namespace tessmar {

class Cancellation {
  public:
    void request() noexcept { requested_.store(true); }
    bool requested() const noexcept { return requested_.load(); }

  private:
    // Lock-free, so a signal handler may set it.
    static_assert(std::atomic<bool>::is_always_lock_free);
    std::atomic<bool> requested_{false};
};

}  // namespace tessmar
