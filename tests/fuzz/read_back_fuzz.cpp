// The read-back against a scanner scripted by the input, with right replies to other requests
// left on the line before it and a retry after each failure, as the GUI's Retry makes them: a
// failed read-back leaves the record and the state beside it untouched; one that succeeds sent
// every request in order and, whenever every message got its right reply (however late) but for
// one reply with one digit changed, holds the scanner's settings; right replies in time on a clean
// line always succeed; and no wait outlasts its deadline, across the tick counter's wrap-around
// too.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "link/read_back.h"
#include "tests/fuzz/scripted_replies.h"

namespace {

using tessmar::fuzz::require;
using Memory = std::array<std::uint8_t, tessmar::kReadRequests * 16>;

// The scanner's memory after a pattern the input chooses, its blocks repeating every `period`
// blocks: in some memories blocks are alike, or all of them.
Memory scanner_memory(std::uint8_t seed, int period) {
    Memory memory{};
    for (std::size_t i = 0; i < memory.size(); ++i) {
        const std::size_t at = (i / 16) % static_cast<std::size_t>(period) * 16 + i % 16;
        memory[i] = static_cast<std::uint8_t>(seed * 37 + at * 11 + (at >> 8));
    }
    return memory;
}

std::string reply_for(const Memory& memory, std::size_t block) {
    std::string reply;
    for (std::size_t i = 0; i < 16; ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X",
                      memory[block % tessmar::kReadRequests * 16 + i]);
        reply += digits;
    }
    return reply + "\r";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tessmar::fuzz::DeadlineClock clock(input.ConsumeIntegral<std::uint32_t>());
    const auto seed = input.ConsumeIntegral<std::uint8_t>();
    const Memory memory = scanner_memory(seed, input.ConsumeIntegralInRange(1, 99));
    // One reply, the input chooses which, with one digit changed into another hex digit.
    const int flipped = input.ConsumeIntegralInRange(-1, 3 * tessmar::kReadRequests);
    const auto flipped_digit = input.ConsumeIntegralInRange<std::size_t>(0, 31);
    const auto flip = input.ConsumeIntegralInRange<unsigned>(1, 15);
    tessmar::fuzz::ScriptedReplies replies(input);
    tessmar::test::ScriptedPeer peer(clock, [&](tessmar::test::ScriptedPeer& p, int n,
                                                const std::string& request) {
        clock.message_written();
        std::string reply = reply_for(memory, std::stoul(request.substr(1, 4), nullptr, 16) / 16);
        if (n == flipped) {
            reply[flipped_digit] =
                "0123456789ABCDEF"[tessmar::hex_digit_value(reply[flipped_digit]) ^ flip];
        }
        replies.answer(p, reply);
    });
    peer.wakes_on_arrival = input.ConsumeBool();  // blocks as a real port does, or ticks
    const int stale = input.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < stale; ++i) {
        peer.send(reply_for(memory, input.ConsumeIntegral<std::uint8_t>()),
                  input.ConsumeIntegralInRange<std::uint32_t>(0, 3 * tessmar::kQuietMs));
    }

    tessmar::ProgramState state;
    tessmar::load_factory_defaults(state);
    state.interface_class = tessmar::InterfaceClass::wand_emulation;  // not the record's own
    const tessmar::ProgramState before = state;
    tessmar::Line line{peer, clock};
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::size_t first_write = peer.writes.size();
        int last_progress = -1;
        const tessmar::LinkResult result =
            tessmar::ReadBackSettings(state, line, [&](int position) {
                require(position > last_progress, "the progress only moves forward");
                last_progress = position;
            });
        if (!result.ok) {
            require(attempt > 0 || stale > 0 || flipped >= 0 || !replies.all_right_in_time(),
                    "right replies in time on a clean line always succeed");
            require(
                state.record == before.record && state.interface_class == before.interface_class,
                "a failed read-back leaves the record untouched");
            require(!result.failure.empty(), "a failure is told");
            continue;
        }
        for (int number = 0; number < tessmar::kReadRequests; ++number) {
            const auto request = tessmar::read_request(number);
            require(peer.writes[first_write + static_cast<std::size_t>(number)] ==
                        std::string(request.begin(), request.end()),
                    "the requests go in order");
        }
        if (replies.answered_rightly()) {
            require(
                std::equal(state.record.bytes.begin(), state.record.bytes.end(), memory.begin()),
                "a read-back that succeeds holds the scanner's exact settings");
        }
        require(state.interface_class == tessmar::derive_interface_class(
                                             state.record.get(tessmar::Field::keyboard_type)),
                "the interface is derived again from the settings read");
        break;
    }
    return 0;
}
