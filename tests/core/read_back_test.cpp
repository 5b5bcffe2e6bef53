#include <gtest/gtest.h>

#include <algorithm>
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

    LinkResult read_back(ScriptedPeer& peer, ReadPasses passes = ReadPasses::once) {
        Line line{peer, clock};
        return ReadBackSettings(
            state, line, [this](int p) { progress.push_back(p); }, passes);
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

// Replies that answer no request of the read: left on the line from before it, or late. Each
// attempt reads the right bytes or fails, and a retry after it reads cleanly.
TEST_F(ReadBackTest, AStaleOrLateReplyIsNeverTakenForAnotherRequests) {
    constexpr std::uint32_t kAfterRetrySettled = kReplyTimeoutMs + 1 + kQuietMs + 1;
    constexpr std::uint32_t kLost = 0;
    const struct {
        int stale_block;  // a reply left on the line, arriving once it has settled; or -1
        bool zero_tail;   // the last two blocks hold zeros, as the stale reply does
        std::map<int, std::uint32_t> delays;  // by message number over all attempts; else 3 ms
        std::vector<bool> attempts;           // whether each attempt succeeds
    } kCases[] = {
        {0, false, {}, {false, true}},
        {40, true, {}, {false, true}},             // block 0 read again alone would not tell
        {40, false, {{0, kLost}}, {false, true}},  // the scanner missed the first request
        {-1, false, {{5, kAfterRetrySettled}}, {false, false, true}},
        {-1,
         false,
         {{5, kReplyTimeoutMs + 1}, {6, kAfterRetrySettled}},
         {false, false, false, true}},
    };
    for (const auto& c : kCases) {
        memory = scanner_memory();
        if (c.zero_tail) {
            std::fill_n(memory.begin() + 40 * 16, 16, 0);
            std::fill_n(memory.end() - 32, 32, 0);
        }
        ScriptedPeer peer(clock, [&](ScriptedPeer& p, int n, const std::string& request) {
            const std::uint32_t delay = c.delays.contains(n) ? c.delays.at(n) : 3;
            if (delay != kLost) {
                p.send(hex_reply(memory, request), delay);
            }
        });
        if (c.stale_block >= 0) {
            const auto request = read_request(c.stale_block);
            peer.send(hex_reply(memory, {request.begin(), request.end()}), kQuietMs + 1);
        }
        std::vector<bool> attempts;
        state.record = before;
        do {
            attempts.push_back(read_back(peer).ok);
            EXPECT_TRUE(attempts.back() ? std::equal(memory.begin(), memory.begin() + kRecordSize,
                                                     state.record.bytes.begin())
                                        : state.record == before);
        } while (!attempts.back() && attempts.size() < 5);
        EXPECT_EQ(attempts, c.attempts) << c.stale_block;
    }
}

// Replies with one digit changed, as noise on a line without parity leaves them: read twice, a
// block is taken only when two answers agree; read once, the wrong byte goes unseen.
TEST_F(ReadBackTest, EveryBlockReadTwiceAndTakenOnlyWhenTwoAnswersAgree) {
    constexpr int kBlock = 5;
    const struct {
        const char* what;
        ReadPasses passes;
        std::vector<int> flipped;  // message numbers whose reply has its first digit changed
        const char* failure;       // empty when the read succeeds
        bool exact;                // the record read is the scanner's
        std::size_t requests;
    } kCases[] = {
        {"clean", ReadPasses::twice, {}, "", true, 2 * 99 + 2},
        {"pass one", ReadPasses::twice, {kBlock}, "", true, 2 * 99 + 1 + 2},
        {"pass two", ReadPasses::twice, {99 + kBlock}, "", true, 2 * 99 + 1 + 2},
        {"both passes",
         ReadPasses::twice,
         {kBlock, 99 + kBlock},
         "offset 0050 gave three different answers in three reads",
         false,
         2 * 99 + 1},
        {"once", ReadPasses::once, {kBlock}, "", false, 99 + 2},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        state.record = before;
        progress.clear();
        int flips = 0;
        ScriptedPeer peer(clock, answering([&](int n, std::string& reply) {
                              if (std::count(c.flipped.begin(), c.flipped.end(), n) != 0) {
                                  reply[0] =
                                      "0123456789ABCDEF"[hex_digit_value(reply[0]) ^ (1 + flips++)];
                              }
                          }));
        const LinkResult result = read_back(peer, c.passes);
        EXPECT_EQ(result.failure.substr(0, std::string(c.failure).size()), c.failure);
        EXPECT_EQ(result.ok, std::string(c.failure).empty());
        EXPECT_EQ(peer.writes.size(), c.requests);
        if (result.ok) {
            EXPECT_EQ(std::equal(memory.begin(), memory.begin() + kRecordSize,
                                 state.record.bytes.begin()),
                      c.exact);
            // The bar covers both passes, each step once: 0 to 98 for one, 0 to 99 for two.
            EXPECT_EQ(progress.size(), c.passes == ReadPasses::twice ? 101u : 100u);
        } else {
            EXPECT_EQ(state.record, before);
        }
    }
}

TEST_F(ReadBackTest, ALineThatNeverGoesQuietFailsBeforeAnyRequest) {
    ScriptedPeer peer(clock, answering());
    for (std::uint32_t t = 0; t < 3000; t += 10) {
        peer.send("x", t);
    }
    EXPECT_EQ(read_back(peer).failure,
              "bytes kept arriving for 2000 ms before request 1 of 99 (offset 0000): something "
              "else is sending on the line");
    EXPECT_TRUE(peer.writes.empty());
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
