#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <map>
#include <numeric>

#include "link/read_back.h"
#include "tests/core/scripted_peer.h"

namespace tessmar::test {
namespace {

constexpr std::size_t kScannerBytes = kReadRequests * 16;

// A scanner's memory: every byte different from its neighbours, and an RS-232 interface.
std::vector<std::uint8_t> scanner_memory() {
    std::vector<std::uint8_t> memory(kScannerBytes);
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    memory[23] = 0;  // keyboard_type: RS-232
    return memory;
}

std::string hex_reply(const std::vector<std::uint8_t>& memory, const std::string& request,
                      bool lower_case = false) {
    const std::size_t offset = std::stoul(request.substr(1, 4), nullptr, 16);
    std::string reply;
    for (std::size_t i = 0; i < 16; ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, lower_case ? "%02x" : "%02X", memory[offset + i]);
        reply += digits;
    }
    return reply + "\r";
}

class ReadBackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        load_factory_defaults(state);
        state.record.bytes[100] = 0x42;  // something the scanner does not hold
        before = state.record;
    }

    LinkResult read_back(ScriptedPeer& peer) {
        Line line{peer, clock};
        return ReadBackSettings(state, line, [this](int p) { progress.push_back(p); });
    }

    // Answers every request from `memory`; `change` may alter the reply to request n.
    ScriptedPeer::Responder answering(
        std::function<void(int n, std::string& reply)> change = nullptr) {
        return [this, change](ScriptedPeer& peer, int n, const std::string& request) {
            std::string reply = hex_reply(memory, request);
            if (change) {
                change(n, reply);
            }
            peer.send(reply);
        };
    }

    ProgramState state;
    SettingsRecord before;
    std::vector<std::uint8_t> memory = scanner_memory();
    VirtualClock clock;
    std::vector<int> progress;
};

TEST_F(ReadBackTest, AnsweringScannerGetsEveryRequestInOrderAndReplacesTheRecord) {
    ASSERT_EQ(state.interface_class, InterfaceClass::keyboard_wedge);
    ScriptedPeer peer(clock, answering());
    const LinkResult result = read_back(peer);
    ASSERT_TRUE(result.ok) << result.failure;
    ASSERT_EQ(peer.writes.size(), 101u);
    for (std::size_t i = 0; i < 99; ++i) {
        EXPECT_EQ(peer.writes[i], "R" + hex4(static_cast<unsigned>(i) * 16) + "10\r");
    }
    EXPECT_EQ(peer.writes[98], "R062010\r");
    // Then block 0 twice, as it differs from block 1.
    EXPECT_EQ(peer.writes[99], "R000010\r");
    EXPECT_EQ(peer.writes[100], "R000010\r");
    EXPECT_TRUE(std::equal(state.record.bytes.begin(), state.record.bytes.end(), memory.begin()));
    // The key strings now show in the form of the interface read.
    EXPECT_EQ(state.interface_class, InterfaceClass::rs232);
    std::vector<int> expected(99);
    std::iota(expected.begin(), expected.end(), 0);
    expected.push_back(100);
    EXPECT_EQ(progress, expected);
    EXPECT_EQ(peer.largest_read, 32u);
}

TEST_F(ReadBackTest, LowerCaseRepliesGiveTheSameRecord) {
    ScriptedPeer peer(clock, [this](ScriptedPeer& p, int, const std::string& request) {
        p.send(hex_reply(memory, request, true));
    });
    ASSERT_TRUE(read_back(peer).ok);
    EXPECT_TRUE(std::equal(state.record.bytes.begin(), state.record.bytes.end(), memory.begin()));
}

TEST_F(ReadBackTest, TheLastTwoRecordBytesComeFromCharacters16To19OfReply97) {
    memory[1560] = 0x5A;
    memory[1561] = 0xC3;
    for (std::size_t i = 1562; i < memory.size(); ++i) {
        memory[i] = 0xEE;
    }
    ScriptedPeer peer(clock, answering([](int n, std::string& reply) {
                          if (n == 97) {
                              EXPECT_EQ(reply.substr(16, 4), "5AC3");
                          }
                      }));
    ASSERT_TRUE(read_back(peer).ok);
    EXPECT_EQ(state.record.bytes[1560], 0x5A);
    EXPECT_EQ(state.record.bytes[1561], 0xC3);
}

TEST_F(ReadBackTest, ScannerThatStopsAtRequest50FailsAfter2000MsAndChangesNothing) {
    ScriptedPeer peer(clock, [this](ScriptedPeer& p, int n, const std::string& request) {
        if (n < 50) {
            p.send(hex_reply(memory, request));
        }
    });
    const LinkResult result = read_back(peer);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failure, "no reply to request 51 of 99 (offset 0320) within 2000 ms");
    EXPECT_EQ(state.record, before);
    EXPECT_EQ(state.interface_class, InterfaceClass::keyboard_wedge);
    // Nothing follows the failed request: the read-back sends no EXIT.
    EXPECT_EQ(peer.writes.size(), 51u);
    EXPECT_EQ(clock.now_ms() - peer.write_times.back(), 2001u);
    EXPECT_EQ(progress.back(), 49);
    EXPECT_EQ(clock.longest_wait, 1u);
    EXPECT_EQ(clock.waits, peer.empty_reads - 2);
}

TEST_F(ReadBackTest, AReplySpreadOverMoreThan2000MsFailsThoughBytesKeptArriving) {
    ScriptedPeer peer(clock, [this](ScriptedPeer& p, int n, const std::string& request) {
        const std::string reply = hex_reply(memory, request);
        const std::uint32_t step = n == 3 ? 250 : 0;  // 9 pieces, the last at 2000 or 2001 ms
        for (std::size_t i = 0; i < reply.size(); i += 4) {
            p.send(reply.substr(i, 4), static_cast<std::uint32_t>(i / 4) * step);
        }
    });
    EXPECT_TRUE(read_back(peer).ok);  // request 3's last piece came at exactly 2000 ms

    ScriptedPeer late(clock, [this](ScriptedPeer& p, int n, const std::string& request) {
        const std::string reply = hex_reply(memory, request);
        p.send(reply.substr(0, 30));
        p.send(reply.substr(30), n == 3 ? 2001 : 0);
    });
    state.record = before;
    const LinkResult result = read_back(late);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(late.writes.size(), 4u);
    EXPECT_EQ(state.record, before);
}

TEST_F(ReadBackTest, CrAndLfInOneReadNeverCompleteTheReply) {
    ScriptedPeer peer(clock, answering([](int, std::string& reply) { reply += "\n"; }));
    EXPECT_FALSE(read_back(peer).ok);
    EXPECT_EQ(peer.writes.size(), 1u);
    EXPECT_EQ(state.record, before);
}

// Replies of another form than 32 hex digits and CR would decode into wrong settings, whether
// they are short (the slot's rest would be stale), long, shifted by a stray byte or not hex.
TEST_F(ReadBackTest, RepliesOfAnotherFormAreRefusedAndChangeNothing) {
    const std::function<void(std::string&)> garbles[] = {
        [](std::string& r) { r.erase(0, 1); }, [](std::string& r) { r.insert(0, "0"); },
        [](std::string& r) { r[7] = 'G'; },    [](std::string& r) { r[0] = ' '; },
        [](std::string& r) { r = "\r"; },
    };
    for (const auto& garble : garbles) {
        ScriptedPeer peer(clock, answering([&](int n, std::string& reply) {
                              if (n == 20) {
                                  garble(reply);
                              }
                          }));
        const LinkResult result = read_back(peer);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.failure.rfind("the reply to request 21 of 99 (offset 0140) was not 32 "
                                       "hexadecimal digits and CR: \"",
                                       0),
                  0u)
            << result.failure;
        EXPECT_EQ(peer.writes.size(), 21u);
        EXPECT_EQ(state.record, before);
    }
}

TEST_F(ReadBackTest, BytesWaitingBeforeTheFirstRequestAreEmptiedFromTheLine) {
    ScriptedPeer peer(clock, answering());
    peer.send("\n");
    EXPECT_TRUE(read_back(peer).ok);
    EXPECT_EQ(peer.writes.size(), 101u);
}

// A reply that answers no request of the read: left over from before it, or late. Whatever
// attempt it reaches, that attempt reads the right bytes or fails; a retry after it reads cleanly.
TEST_F(ReadBackTest, AStaleOrLateReplyIsNeverTakenForAnotherRequests) {
    constexpr std::uint32_t kLate = kReplyTimeoutMs + 1;  // one tick past the deadline
    constexpr std::uint32_t kAfterSettling = kLate + kQuietMs + 1;
    constexpr std::uint32_t kNever = 0;
    const struct {
        const char* what;
        int stale_block;                    // a reply waiting before the first attempt, or -1
        std::uint32_t stale_after;          // how long after the start it arrives
        bool zero_tail;                     // the last two blocks hold zeros, as the stale one
        std::map<int, std::uint32_t> late;  // message number (over all attempts): its delay
        std::vector<bool> attempts;         // whether each attempt succeeds
    } kCases[] = {
        {"a stale reply while the line settles", 0, kQuietMs / 2, false, {}, {true}},
        {"a stale reply once the line has settled", 0, kQuietMs + 1, false, {}, {false, true}},
        {"a stale reply like the last blocks", 40, kQuietMs + 1, true, {}, {false, true}},
        {"a stale reply for a request missed",
         40,
         kQuietMs + 1,
         false,
         {{0, kNever}},
         {false, true}},
        {"a reply to request 5 just late", -1, 0, false, {{5, kLate}}, {false, true}},
        {"a reply to request 5 after the retry settled",
         -1,
         0,
         false,
         {{5, kAfterSettling}},
         {false, false, true}},
        {"a late reply to the retried request 0",
         -1,
         0,
         false,
         {{5, kLate}, {6, kAfterSettling}},
         {false, false, false, true}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        memory = scanner_memory();
        if (c.zero_tail) {
            std::fill(memory.begin() + 40 * 16, memory.begin() + 41 * 16, 0);
            std::fill(memory.end() - 32, memory.end(), 0);
        }
        ScriptedPeer peer(clock, [&](ScriptedPeer& p, int n, const std::string& request) {
            if (!c.late.contains(n)) {
                p.send(hex_reply(memory, request), 3);
            } else if (c.late.at(n) != kNever) {
                p.send(hex_reply(memory, request), c.late.at(n));
            }
        });
        if (c.stale_block >= 0) {
            const auto request = read_request(c.stale_block);
            peer.send(hex_reply(memory, {request.begin(), request.end()}), c.stale_after);
        }
        std::vector<bool> attempts;
        state.record = before;
        do {
            attempts.push_back(read_back(peer).ok);
            if (attempts.back()) {
                EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + kRecordSize,
                                       state.record.bytes.begin()));
            } else {
                EXPECT_EQ(state.record, before);
            }
        } while (!attempts.back() && attempts.size() < 5);
        EXPECT_EQ(attempts, c.attempts);
    }
}

TEST_F(ReadBackTest, ALongReplyInTheLastSlotIsCutAtTheEndOfTheArea) {
    VirtualClock quiet;
    ScriptedPeer peer(quiet, [](ScriptedPeer&, int, const std::string&) {});
    peer.send(std::string(200, '7') + "\r");
    Line line{peer, quiet};
    ReceiveArea area;
    EXPECT_EQ(ReceiveReplyLine(line, area, 98), 201u);
    EXPECT_EQ(area.chars[98 * 32], '7');
    EXPECT_EQ(area.chars.back(), '7');
}

TEST(HexDigitValue, BothCasesOfEveryDigit) {
    const std::string digits = "0123456789abcdef";
    for (std::size_t v = 0; v < digits.size(); ++v) {
        const auto c = static_cast<std::uint8_t>(digits[v]);
        EXPECT_EQ(hex_digit_value(c), v) << digits[v];
        EXPECT_EQ(hex_digit_value(static_cast<std::uint8_t>(std::toupper(c))), v) << digits[v];
    }
}

}  // namespace
}  // namespace tessmar::test
