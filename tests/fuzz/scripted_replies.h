// The scanner's side of the link, scripted by the fuzz input: each message the program writes
// gets a reply drawn from the input (in time or late, whole or in two pieces, wrong, unended, or
// none), and a clock that passes time only when the program waits fails the run when a wait
// outlasts its deadline. The clock starts where the input says, so waits cross the tick counter's
// wrap-around.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "link/transfer.h"
#include "tests/core/scripted_peer.h"
#include "tests/fuzz/fuzz_support.h"

namespace tessmar::fuzz {

// Each wait ends within the reply deadline of the last write, plus the one 1 ms poll that finds
// the deadline passed; while the line settles, within its quiet time of the last purge.
class DeadlineClock final : public test::WaitingClock {
  public:
    explicit DeadlineClock(std::uint32_t start) : now_(start), last_write_(start) {}
    std::uint32_t now_ms() override { return now_; }
    void wait_ms(std::uint32_t ms) override {
        now_ += ms;
        require(now_ - last_write_ <= kReplyTimeoutMs + 1, "no wait exceeds its deadline");
    }
    void message_written() { last_write_ = now_; }
    void line_emptied() override { last_write_ = now_; }

  private:
    std::uint32_t now_;
    std::uint32_t last_write_;
};

// Answers within this many milliseconds of a write count as in time, with room to spare.
inline constexpr std::uint32_t kInTimeMs = kReplyTimeoutMs - 10;

class ScriptedReplies {
  public:
    explicit ScriptedReplies(FuzzedDataProvider& input) : input_(input) {}

    // Schedules the answer to a message whose right reply is `right`. Out of input, every
    // message is answered right away.
    void answer(test::ScriptedPeer& peer, const std::string& right) {
        const std::uint32_t delay = pick_delay();
        switch (input_.ConsumeIntegralInRange(0, 5)) {
            case 0:
                peer.send(right, delay);
                in_time_ = in_time_ && delay <= kInTimeMs;
                break;
            case 1: {
                const std::size_t cut = input_.ConsumeIntegralInRange<std::size_t>(0, right.size());
                const std::uint32_t later = delay + pick_delay();
                peer.send(right.substr(0, cut), delay);
                peer.send(right.substr(cut), later);
                in_time_ = in_time_ && later <= kInTimeMs;
                break;
            }
            case 2:  // a wrong line
                peer.send(input_.ConsumeBytesAsString(input_.ConsumeIntegralInRange(0, 40)) + "\r",
                          delay);
                honest_ = false;
                answered_rightly_ = false;
                break;
            case 3:  // bytes that never end a line
                peer.send(input_.ConsumeBytesAsString(input_.ConsumeIntegralInRange(1, 40)), delay);
                honest_ = false;
                answered_rightly_ = false;
                break;
            case 4:  // no answer
                honest_ = false;
                answered_rightly_ = false;
                break;
            default:  // the right answer, too late
                peer.send(right, kReplyTimeoutMs + 1 + delay);
                in_time_ = false;
                break;
        }
    }

    // Every answer so far was right and came in time: the transfer must have succeeded.
    bool all_right_in_time() const { return honest_ && in_time_; }
    // Every message got its right answer, sooner or later, whole or in pieces.
    bool answered_rightly() const { return answered_rightly_; }

  private:
    // Mostly short, so that runs are quick, and often right at the deadline.
    std::uint32_t pick_delay() {
        static constexpr std::uint32_t kEdges[] = {kInTimeMs, kReplyTimeoutMs - 1, kReplyTimeoutMs,
                                                   kReplyTimeoutMs + 1, 3000};
        const auto pick = input_.ConsumeIntegral<std::uint8_t>();
        return pick < 240 ? pick % 16 : kEdges[pick % std::size(kEdges)];
    }

    FuzzedDataProvider& input_;
    bool honest_ = true;
    bool in_time_ = true;
    bool answered_rightly_ = true;
};

}  // namespace tessmar::fuzz
