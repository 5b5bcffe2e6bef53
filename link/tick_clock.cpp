#include "link/tick_clock.h"

#include <chrono>

namespace tessmar {

std::uint32_t SystemTickClock::now_ms() {
    const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count());
}

}  // namespace tessmar
