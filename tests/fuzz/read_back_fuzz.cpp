// The read-back against a scanner scripted by the input: a failed read-back leaves the record and
// the state beside it untouched; one that succeeds sent every request in order and, when every
// reply was right, holds the scanner's settings; right replies in time always succeed; and no
// wait outlasts its deadline, across the tick counter's wrap-around too.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "link/read_back.h"
#include "tests/fuzz/scripted_replies.h"

namespace {

using tessmar::fuzz::require;

// The scanner's memory, 16 bytes per request, after a pattern the input chooses.
std::array<std::uint8_t, tessmar::kReadRequests * 16> scanner_memory(std::uint8_t seed) {
    std::array<std::uint8_t, tessmar::kReadRequests * 16> memory{};
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i] = static_cast<std::uint8_t>(seed * 37 + i * 11 + (i >> 8));
    }
    return memory;
}

std::string reply_for(const std::array<std::uint8_t, tessmar::kReadRequests * 16>& memory,
                      int request) {
    std::string reply;
    for (std::size_t i = 0; i < 16; ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", memory[request * 16 + i]);
        reply += digits;
    }
    return reply + "\r";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tessmar::fuzz::DeadlineClock clock(input.ConsumeIntegral<std::uint32_t>());
    const auto memory = scanner_memory(input.ConsumeIntegral<std::uint8_t>());
    tessmar::fuzz::ScriptedReplies replies(input);
    tessmar::test::ScriptedPeer peer(
        clock, [&](tessmar::test::ScriptedPeer& p, int number, const std::string&) {
            clock.message_written();
            replies.answer(p, reply_for(memory, number % tessmar::kReadRequests));
        });

    tessmar::ProgramState state;
    tessmar::load_factory_defaults(state);
    state.interface_class = tessmar::InterfaceClass::wand_emulation;  // not the record's own
    const tessmar::ProgramState before = state;
    tessmar::Line line{peer, clock};
    int last_progress = -1;
    const tessmar::LinkResult result = tessmar::ReadBackSettings(state, line, [&](int position) {
        require(position > last_progress, "the progress only moves forward");
        last_progress = position;
    });

    if (!result.ok) {
        require(!replies.all_right_in_time(), "right replies in time always succeed");
        require(state.record == before.record && state.interface_class == before.interface_class,
                "a failed read-back leaves the record untouched");
        require(!result.failure.empty(), "a failure is told");
        return 0;
    }
    require(peer.writes.size() == tessmar::kReadRequests, "one request per block");
    for (int number = 0; number < tessmar::kReadRequests; ++number) {
        const auto request = tessmar::read_request(number);
        require(peer.writes[number] == std::string(request.begin(), request.end()),
                "the requests go in order");
    }
    if (replies.all_right_in_time()) {
        require(std::equal(state.record.bytes.begin(), state.record.bytes.end(), memory.begin()),
                "the record holds the scanner's settings");
    }
    require(state.interface_class ==
                tessmar::derive_interface_class(state.record.get(tessmar::Field::keyboard_type)),
            "the interface is derived again from the settings read");
    return 0;
}
