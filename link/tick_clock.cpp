#include "link/tick_clock.h"

#include <chrono>
#include <thread>

namespace tessmar {

std::uint32_t SystemTickClock::now_ms() {
    const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count());
}

void SystemTickClock::wait_ms(std::uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace tessmar
