// A scanner for the protocol engines to talk to: it sees every message the program writes, and
// answers with bytes that become readable at chosen times on a virtual clock.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/serial_port.h"
#include "link/tick_clock.h"

namespace tessmar::test {

// A clock whose time passes only when the program waits on the port.
class WaitingClock : public TickClock {
  public:
    virtual void wait_ms(std::uint32_t ms) = 0;
    // The program emptied the receive queue.
    virtual void line_emptied() {}
};

class VirtualClock final : public WaitingClock {
  public:
    explicit VirtualClock(std::uint32_t start = 1000) : now_(start) {}
    std::uint32_t now_ms() override { return now_; }
    void wait_ms(std::uint32_t ms) override {
        now_ += ms;
        ++waits;
        longest_wait = std::max(longest_wait, ms);
    }
    int waits = 0;
    std::uint32_t longest_wait = 0;

  private:
    std::uint32_t now_;
};

class ScriptedPeer final : public SerialPort {
  public:
    // Called for every message written, with its number (from 0) and text; it schedules the
    // answer with send().
    using Responder = std::function<void(ScriptedPeer& peer, int number, const std::string& text)>;

    // Any clock that passes time only when the program waits: a VirtualClock, or one that also
    // watches the waits.
    ScriptedPeer(WaitingClock& clock, Responder responder)
        : clock_(clock), responder_(std::move(responder)) {}

    // Makes `bytes` readable `delay_ms` after now, or once the bytes sent before them are, as a
    // line delivers in order. A read returns everything readable by then.
    void send(const std::string& bytes, std::uint32_t delay_ms = 0) {
        std::uint32_t at = clock_.now_ms() + delay_ms;
        if (!arrivals_.empty() && tick_is_later(arrivals_.back().at, at)) {
            at = arrivals_.back().at;
        }
        arrivals_.push_back({at, bytes});
    }

    bool write(std::span<const std::uint8_t> bytes) override {
        writes.emplace_back(bytes.begin(), bytes.end());
        write_times.push_back(clock_.now_ms());
        responder_(*this, static_cast<int>(writes.size()) - 1, writes.back());
        return true;
    }

    std::size_t read(std::span<std::uint8_t> buffer) override {
        largest_read = std::max(largest_read, buffer.size());
        std::size_t count = 0;
        while (count < buffer.size() && !arrivals_.empty() &&
               !tick_is_later(arrivals_.front().at, clock_.now_ms())) {
            std::string& next = arrivals_.front().bytes;
            const std::size_t take = std::min(next.size(), buffer.size() - count);
            std::copy_n(next.begin(), take, buffer.begin() + static_cast<std::ptrdiff_t>(count));
            next.erase(0, take);
            count += take;
            if (next.empty()) {
                arrivals_.erase(arrivals_.begin());
            }
        }
        if (count == 0) {
            ++empty_reads;
        }
        return count;
    }

    // A port that wakes at every tick: time passes 1 ms at a time, so a test sees each read. With
    // `wakes_on_arrival` set, it wakes as a real port does: time passes to the next arrival, or
    // by the whole limit when nothing comes sooner.
    void wait_for_bytes(std::uint32_t limit_ms) override {
        wait_limits.push_back(limit_ms);
        std::uint32_t step = 1;
        if (vanished) {
            clock_.wait_ms(step);  // a port gone returns at once, every time
            return;
        }
        if (wakes_on_arrival) {
            step = limit_ms;
            if (!arrivals_.empty()) {
                const std::uint32_t at = arrivals_.front().at;
                const std::uint32_t now = clock_.now_ms();
                step = std::min(step, tick_is_later(at, now) ? at - now : 0);
            }
        }
        clock_.wait_ms(step);
    }

    // Only what has arrived: bytes still on their way come in after the purge.
    void purge_received() override {
        ++purges;
        while (!arrivals_.empty() && !tick_is_later(arrivals_.front().at, clock_.now_ms())) {
            arrivals_.erase(arrivals_.begin());
        }
        clock_.line_emptied();
    }

    bool gone() const override { return vanished; }

    bool wakes_on_arrival = false;
    bool vanished = false;  // the device went away: nothing more arrives
    std::vector<std::uint32_t> wait_limits;
    std::vector<std::string> writes;
    std::vector<std::uint32_t> write_times;
    std::size_t largest_read = 0;
    int empty_reads = 0;
    int purges = 0;

  private:
    struct Arrival {
        std::uint32_t at;
        std::string bytes;
    };
    WaitingClock& clock_;
    Responder responder_;
    std::vector<Arrival> arrivals_;
};

}  // namespace tessmar::test
