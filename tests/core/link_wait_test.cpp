// The protocols wait for bytes instead of polling: on a port that blocks until bytes arrive, each
// exchange keeps the deadlines it has on a port that wakes at every tick, and the line's owner
// runs between the waits.
#include <gtest/gtest.h>

#include "link/download.h"
#include "link/read_back.h"
#include "model/program_state.h"
#include "tests/core/scripted_peer.h"

namespace tessmar::test {
namespace {

enum class Transfer { download, read_back };

struct Case {
    const char* name;
    Transfer transfer;
    ScriptedPeer::Responder responder;
    bool ok;
};

std::string read_reply(const std::string& request) {
    return std::string(32, request[3] == '0' ? 'A' : '5') + "\r";
}

const Case kCases[] = {
    {"prompt replies", Transfer::download,
     [](ScriptedPeer& p, int, const std::string&) { p.send("ACK\r", 4); }, true},
    {"a silent scanner", Transfer::download, [](ScriptedPeer&, int, const std::string&) {}, false},
    {"a reply on the last tick", Transfer::download,
     [](ScriptedPeer& p, int, const std::string&) {
         p.send("AC", 700);
         p.send("K\r", 2000);
     },
     true},
    {"a reply one tick late", Transfer::download,
     [](ScriptedPeer& p, int n, const std::string&) { p.send("ACK\r", n == 5 ? 2001 : 3); }, false},
    {"read replies in pieces", Transfer::read_back,
     [](ScriptedPeer& p, int, const std::string& request) {
         const std::string reply = read_reply(request);
         p.send(reply.substr(0, 10), 12);
         p.send(reply.substr(10), 30);
     },
     true},
    {"a scanner that stops", Transfer::read_back,
     [](ScriptedPeer& p, int n, const std::string& request) {
         if (n < 7) {
             p.send(read_reply(request), 33);
         }
     },
     false},
};

struct Outcome {
    bool ok = false;
    std::uint32_t elapsed = 0;
    std::vector<std::string> writes;
    std::vector<std::uint32_t> write_times;
    std::vector<std::uint32_t> wait_limits;
    int between_waits = 0;
};

Outcome run(const Case& c, bool wakes_on_arrival) {
    VirtualClock clock;
    ScriptedPeer peer(clock, c.responder);
    peer.wakes_on_arrival = wakes_on_arrival;
    Outcome result;
    Line line{peer, clock, [&] { ++result.between_waits; }};
    ProgramState state;
    load_factory_defaults(state);
    const std::uint32_t start = clock.now_ms();
    result.ok = c.transfer == Transfer::download
                    ? DownloadSettings(state.record, line, [](int) {}).ok
                    : ReadBackSettings(state, line, [](int) {}).ok;
    result.elapsed = clock.now_ms() - start;
    result.writes = peer.writes;
    result.write_times = peer.write_times;
    result.wait_limits = peer.wait_limits;
    return result;
}

TEST(LinkWait, BlockingWaitsKeepEveryDeadlineOfTickByTickWaits) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const Outcome ticking = run(c, false);
        const Outcome blocking = run(c, true);
        EXPECT_EQ(ticking.ok, c.ok);
        EXPECT_EQ(blocking.ok, c.ok);
        EXPECT_EQ(blocking.elapsed, ticking.elapsed);
        EXPECT_EQ(blocking.writes, ticking.writes);
        EXPECT_EQ(blocking.write_times, ticking.write_times);
        // The owner of the line had its turn after every wait.
        EXPECT_EQ(ticking.between_waits, static_cast<int>(ticking.wait_limits.size()));
        EXPECT_EQ(blocking.between_waits, static_cast<int>(blocking.wait_limits.size()));
        // A blocking wait ends with the bytes it waited for, not tick after tick: each piece of
        // a reply costs one wait, and a silent 2000 ms one more.
        EXPECT_LE(blocking.wait_limits.size(), 2 * blocking.writes.size() + 1);
    }
}

TEST(LinkWait, NoWaitReachesPastTheFirstTickAfterItsDeadline) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        VirtualClock clock;
        ScriptedPeer peer(clock, c.responder);
        peer.wakes_on_arrival = true;
        std::uint32_t deadline_passed = 0;
        // Before the first message the line settles, which no deadline times.
        Line line{peer, clock, [&] {
                      if (!peer.write_times.empty()) {
                          const std::uint32_t since_write =
                              clock.now_ms() - peer.write_times.back();
                          deadline_passed = std::max(deadline_passed, since_write);
                      }
                  }};
        ProgramState state;
        load_factory_defaults(state);
        if (c.transfer == Transfer::download) {
            DownloadSettings(state.record, line, [](int) {});
        } else {
            ReadBackSettings(state, line, [](int) {});
        }
        EXPECT_LE(deadline_passed, kReplyTimeoutMs + 1);
        for (const std::uint32_t limit : peer.wait_limits) {
            EXPECT_GE(limit, 1u);
            EXPECT_LE(limit, kReplyTimeoutMs + 1);
        }
    }
}

}  // namespace
}  // namespace tessmar::test
