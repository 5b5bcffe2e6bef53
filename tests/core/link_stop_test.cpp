// A transfer that ends before its last exchange: a port that goes away ends it at once, a stop
// requested from elsewhere ends it at its next wait, and a download says what the scanner holds.
#include <gtest/gtest.h>

#include <optional>

#include "link/download.h"
#include "link/read_back.h"
#include "model/program_state.h"
#include "tests/core/scripted_peer.h"

namespace tessmar::test {
namespace {

enum class Transfer { download, read_back };

// What happens at a message, given its number: the port goes away, or a stop is requested.
enum class Event { none, vanish, stop };

struct Case {
    const char* name;
    Transfer transfer;
    int event_at;  // the message at which the event comes
    Event event;
    bool answers_after_event;                  // the scanner answers that message and all after it
    std::optional<std::uint32_t> silent_from;  // the scanner answers nothing from this message on
    bool ok;
    Stop stop;
    const char* failure_start;
    bool settings_uncertain;
    const char* last_write;  // the last message written
};

const Case kCases[] = {
    {"port gone mid-download",
     Transfer::download,
     39,
     Event::vanish,
     false,
     {},
     false,
     Stop::port_gone,
     "the port went away at packet 40 of 112: ",
     false,
     "02701"},
    {"port gone at UPDATE",
     Transfer::download,
     112,
     Event::vanish,
     false,
     {},
     false,
     Stop::port_gone,
     "the port went away at UPDATE: ",
     true,
     "UPDATE\r"},
    {"port gone mid-read",
     Transfer::read_back,
     29,
     Event::vanish,
     false,
     {},
     false,
     Stop::port_gone,
     "the port went away at request 30 of 99 (offset 01D0): ",
     false,
     "R01D010"},
    {"stop mid-download: the scanner is told to drop it",
     Transfer::download,
     39,
     Event::stop,
     true,
     {},
     false,
     Stop::interrupted,
     "interrupted at packet 40 of 112; the scanner keeps its previous settings",
     false,
     "EXIT\r"},
    {"stop while UPDATE is answered: the answer is awaited",
     Transfer::download,
     112,
     Event::stop,
     true,
     {},
     true,
     Stop::none,
     "",
     false,
     "UPDATE\r"},
    {"stop while the scanner is silent", Transfer::read_back, 10, Event::stop, false, 10u, false,
     Stop::interrupted, "interrupted at request 11 of 99 (offset 00A0)", false, "R00A010"},
};

std::string answer(const std::string& message) {
    return message[0] == 'R' ? std::string(32, '5') + "\r" : "ACK\r";
}

TEST(LinkStop, ATransferEndsAtOnceWhenItsPortGoesOrAStopIsRequested) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        VirtualClock clock;
        Cancellation cancellation;
        std::optional<std::uint32_t> event_time;
        ScriptedPeer peer(clock, [&](ScriptedPeer& p, int n, const std::string& text) {
            if (n == c.event_at) {
                event_time = clock.now_ms();
                p.vanished = c.event == Event::vanish;
                if (c.event == Event::stop && !c.silent_from) {
                    cancellation.request();
                }
            }
            const bool silent = c.silent_from && n >= static_cast<int>(*c.silent_from);
            if ((n < c.event_at || c.answers_after_event) && !silent) {
                p.send(answer(text), 30);
            }
        });
        peer.wakes_on_arrival = true;
        // A silent scanner's stop comes while the transfer waits, a second after the request.
        Line line{peer, clock,
                  [&] {
                      if (c.silent_from && event_time && clock.now_ms() - *event_time >= 1000 &&
                          !cancellation.requested()) {
                          event_time = clock.now_ms();
                          cancellation.request();
                      }
                  },
                  &cancellation};
        ProgramState state;
        load_factory_defaults(state);
        const SettingsRecord before = state.record;
        const LinkResult result = c.transfer == Transfer::download
                                      ? DownloadSettings(state.record, line, [](int) {})
                                      : ReadBackSettings(state, line, [](int) {});
        EXPECT_EQ(result.ok, c.ok);
        EXPECT_EQ(result.stop, c.stop);
        EXPECT_TRUE(result.failure.starts_with(c.failure_start)) << result.failure;
        EXPECT_EQ(result.settings_uncertain, c.settings_uncertain);
        EXPECT_TRUE(peer.writes.back().starts_with(c.last_write)) << peer.writes.back();
        EXPECT_EQ(state.record, before);
        // Nothing waits out a reply that cannot come: a stop is seen within a tenth of a second.
        ASSERT_TRUE(event_time.has_value());
        if (!c.answers_after_event) {
            EXPECT_LE(clock.now_ms() - *event_time, 100u);
        }
    }
}

}  // namespace
}  // namespace tessmar::test
