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

// At message `at`: the port goes away; a stop is requested and the scanner answers on; or the
// scanner falls silent, and a stop is requested a second later, while the transfer waits.
enum class Event { vanish, stop, silence_then_stop };

struct Case {
    const char* name;
    bool download;
    int at;
    Event event;
    bool ok;
    Stop stop;
    const char* failure_start;
    bool settings_uncertain;
    const char* last_write;
};

const Case kCases[] = {
    {"port gone mid-download: no EXIT to a port gone", true, 39, Event::vanish, false,
     Stop::port_gone, "the port went away at packet 40 of 112: ", false, "02701"},
    {"port gone at UPDATE", true, 112, Event::vanish, false, Stop::port_gone,
     "the port went away at UPDATE: ", true, "UPDATE\r"},
    {"stop mid-download: the scanner is told to drop it", true, 39, Event::stop, false,
     Stop::interrupted, "interrupted at packet 40 of 112; the scanner keeps its previous settings",
     false, "EXIT\r"},
    {"stop while UPDATE is answered: the answer is awaited", true, 112, Event::stop, true,
     Stop::none, "", false, "UPDATE\r"},
    {"stop while the scanner is silent", false, 10, Event::silence_then_stop, false,
     Stop::interrupted, "interrupted at request 11 of 99 (offset 00A0)", false, "R00A010"},
};

TEST(LinkStop, ATransferEndsAtOnceWhenItsPortGoesOrAStopIsRequested) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        VirtualClock clock;
        Cancellation cancellation;
        std::optional<std::uint32_t> event_time;
        ScriptedPeer peer(clock, [&](ScriptedPeer& p, int n, const std::string& text) {
            if (n == c.at) {
                event_time = clock.now_ms();
                p.vanished = c.event == Event::vanish;
                if (c.event == Event::stop) {
                    cancellation.request();
                }
            }
            if (n < c.at || c.event == Event::stop) {
                p.send(text[0] == 'R' ? std::string(32, '5') + "\r" : "ACK\r", 30);
            }
        });
        peer.wakes_on_arrival = true;
        Line line{peer, clock,
                  [&] {
                      if (c.event == Event::silence_then_stop && event_time &&
                          clock.now_ms() - *event_time >= 1000 && !cancellation.requested()) {
                          event_time = clock.now_ms();
                          cancellation.request();
                      }
                  },
                  &cancellation};
        ProgramState state;
        load_factory_defaults(state);
        const SettingsRecord before = state.record;
        const LinkResult result = c.download ? DownloadSettings(state.record, line, [](int) {})
                                             : ReadBackSettings(state, line, [](int) {});
        EXPECT_EQ(result.ok, c.ok);
        EXPECT_EQ(result.stop, c.stop);
        EXPECT_TRUE(result.failure.starts_with(c.failure_start)) << result.failure;
        EXPECT_EQ(result.settings_uncertain, c.settings_uncertain);
        EXPECT_TRUE(peer.writes.back().starts_with(c.last_write)) << peer.writes.back();
        EXPECT_EQ(state.record, before);
        // Nothing waits out a reply that cannot come: a stop is seen within a tenth of a second.
        ASSERT_TRUE(event_time.has_value());
        if (c.event != Event::stop) {
            EXPECT_LE(clock.now_ms() - *event_time, 100u);
        }
    }
}

}  // namespace
}  // namespace tessmar::test
