// The download against a scanner scripted by the input: it sends the packets in order, each at
// most four times, then UPDATE; a failure ends with EXIT; right replies in time always succeed;
// the record is only read; and no wait outlasts its deadline, across the tick counter's
// wrap-around too.
#include <cstddef>
#include <cstdint>

#include "link/download.h"
#include "model/program_state.h"
#include "tests/fuzz/scripted_replies.h"

namespace {

using tessmar::fuzz::require;

std::string packet_text(const tessmar::DownloadImage& image, int index) {
    const auto packet = tessmar::data_packet(image, index);
    return {packet.begin(), packet.end()};
}

// How many times `text` stands in a row from `at` on; `at` moves past them.
int run_of(const std::vector<std::string>& writes, std::size_t& at, const std::string& text) {
    int times = 0;
    for (; at < writes.size() && writes[at] == text; ++at) {
        ++times;
    }
    return times;
}

// The messages in the order they must go, each written one to four times (a wrong reply has it
// sent again): packets 0 to 111, then UPDATE, and after a failure EXIT, which is sent the same way.
void check_order(const std::vector<std::string>& writes, const tessmar::DownloadImage& image) {
    std::size_t at = 0;
    for (int message = 0; message <= tessmar::kDownloadPackets; ++message) {
        const std::string expected =
            message < tessmar::kDownloadPackets ? packet_text(image, message) : "UPDATE\r";
        const int times = run_of(writes, at, expected);
        require(times <= 4, "no message is written more than four times");
        if (times == 0 || at == writes.size()) {
            break;
        }
    }
    if (at < writes.size()) {
        const int exits = run_of(writes, at, "EXIT\r");
        require(exits >= 1 && exits <= 4, "after a failure only EXIT is sent");
    }
    require(at == writes.size(), "the messages go in order");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tessmar::fuzz::DeadlineClock clock(input.ConsumeIntegral<std::uint32_t>());
    const bool done_replies = input.ConsumeBool();
    tessmar::fuzz::ScriptedReplies replies(input);
    tessmar::test::ScriptedPeer peer(clock,
                                     [&](tessmar::test::ScriptedPeer& p, int, const std::string&) {
                                         clock.message_written();
                                         replies.answer(p, done_replies ? "DONE\r" : "ACK\r");
                                     });
    peer.wakes_on_arrival = input.ConsumeBool();  // blocks as a real port does, or ticks

    tessmar::SettingsRecord record = tessmar::factory_record();
    const std::vector<std::uint8_t> changes = input.ConsumeBytes<std::uint8_t>(64);
    std::copy(changes.begin(), changes.end(), record.bytes.begin() + 100);
    const tessmar::SettingsRecord before = record;
    tessmar::Line line{peer, clock};
    int last_progress = -1;
    const tessmar::LinkResult result = tessmar::DownloadSettings(record, line, [&](int position) {
        require(position > last_progress, "the progress only moves forward");
        last_progress = position;
    });

    require(record == before, "the record is only read");
    check_order(peer.writes, tessmar::download_image(record));
    if (result.ok) {
        require(peer.writes.back() == "UPDATE\r", "a download ends with UPDATE");
        require(last_progress == tessmar::kDownloadProgressEnd, "the bar is full at the end");
    } else {
        require(!replies.all_right_in_time(), "right replies in time always succeed");
        require(peer.writes.back() == "EXIT\r", "a failed download tells the scanner to drop it");
        require(!result.failure.empty(), "a failure is told");
    }
    return 0;
}
