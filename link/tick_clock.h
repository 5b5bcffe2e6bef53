// The clock the link measures its deadlines with. The protocols take it as a parameter, so tests
// run them on a virtual clock: a 2000 ms time-out passes in microseconds.
#pragma once

#include <cstdint>

namespace tessmar {

class TickClock {
  public:
    virtual ~TickClock() = default;

    // Milliseconds since an arbitrary start; wraps around at 2^32 like the Win32 tick count.
    virtual std::uint32_t now_ms() = 0;
};

// The machine's monotonic clock.
class SystemTickClock final : public TickClock {
  public:
    std::uint32_t now_ms() override;
};

// True when `now` is later than `deadline`, also across the counter's wrap-around.
constexpr bool tick_is_later(std::uint32_t now, std::uint32_t deadline) {
    return static_cast<std::int32_t>(now - deadline) > 0;
}

}  // namespace tessmar
