#include <gtest/gtest.h>

#include <numeric>

#include "link/download.h"
#include "model/program_state.h"
#include "tests/core/scripted_peer.h"

namespace tessmar::test {
namespace {

const std::string kPacket0 = "000010";  // the first packet's head

// Answers every message with `reply`.
ScriptedPeer::Responder always(const std::string& reply) {
    return [reply](ScriptedPeer& peer, int, const std::string&) { peer.send(reply); };
}

ScriptedPeer::Responder silent() {
    return [](ScriptedPeer&, int, const std::string&) {};
}

class DownloadTest : public ::testing::Test {
  protected:
    LinkResult download(ScriptedPeer& peer) {
        Line line{peer, clock};
        return DownloadSettings(record, line, [this](int p) { progress.push_back(p); });
    }

    SettingsRecord record = factory_record();
    VirtualClock clock;
    std::vector<int> progress;
};

std::vector<int> positions(int first, int last) {
    std::vector<int> all(static_cast<std::size_t>(last - first + 1));
    std::iota(all.begin(), all.end(), first);
    return all;
}

TEST_F(DownloadTest, AnsweringScannerGetsEveryPacketInOrderThenUpdate) {
    record.bytes[0] = 0x00;
    record.bytes[1] = 0xFF;
    record.bytes[2] = 0xAB;
    record.bytes[0x120] = 0x5C;
    record.bytes[1561] = 0xE7;
    ScriptedPeer peer(clock, always("ACK\r"));
    const LinkResult result = download(peer);
    ASSERT_TRUE(result.ok) << result.failure;
    ASSERT_EQ(peer.writes.size(), 113u);
    for (int i = 0; i < kDownloadPackets; ++i) {
        const std::string& packet = peer.writes[static_cast<std::size_t>(i)];
        ASSERT_EQ(packet.size(), 39u);
        EXPECT_EQ(packet.substr(0, 6), hex4(static_cast<unsigned>(i) * 16) + "10");
        EXPECT_EQ(packet.back(), '\r');
    }
    EXPECT_EQ(peer.writes[0].substr(6, 8), "00FFAB00");     // uppercase, high nibble first
    EXPECT_EQ(peer.writes[18].substr(0, 8), "0120105C");    // block 1, chunk 2
    EXPECT_EQ(peer.writes[97].substr(6 + 2 * 9, 2), "E7");  // the record's last byte
    // The bytes after the record are zeros.
    EXPECT_EQ(peer.writes[97].substr(6 + 2 * 10, 12), std::string(12, '0'));
    for (int i = 98; i < kDownloadPackets; ++i) {
        EXPECT_EQ(peer.writes[static_cast<std::size_t>(i)].substr(6, 32), std::string(32, '0'));
    }
    EXPECT_EQ(peer.writes.back(), "UPDATE\r");
    std::vector<int> expected = positions(0, 111);
    expected.push_back(120);
    EXPECT_EQ(progress, expected);
}

TEST_F(DownloadTest, DoneIsAcceptedForPacketsAndForUpdate) {
    ScriptedPeer peer(clock, always("DONE\r"));
    EXPECT_TRUE(download(peer).ok);
    EXPECT_EQ(peer.writes.size(), 113u);
}

TEST_F(DownloadTest, SilentScannerFailsTheFirstPacketThenIsSentExit) {
    ScriptedPeer peer(clock, silent());
    const std::uint32_t start = clock.now_ms();
    const LinkResult result = download(peer);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failure, "no reply to packet 1 of 112 (offset 0000) within 2000 ms");
    ASSERT_EQ(peer.writes.size(), 2u);  // a time-out is never resent
    EXPECT_EQ(peer.writes[0].substr(0, 6), kPacket0);
    EXPECT_EQ(peer.writes[1], "EXIT\r");
    // The line is quiet for 50 ms before the first packet; each wait ends at the first tick past
    // its 2000 ms.
    EXPECT_EQ(peer.write_times[0] - start, kQuietMs);
    EXPECT_EQ(peer.write_times[1] - peer.write_times[0], 2001u);
    EXPECT_EQ(clock.now_ms() - peer.write_times[0], 4002u);
    EXPECT_EQ(progress, std::vector<int>{0});
    // Waiting yields: a 1 ms wait after every empty poll but the two that found a deadline passed
    // and the one that found the line quiet long enough.
    EXPECT_EQ(clock.longest_wait, 1u);
    EXPECT_EQ(clock.waits, peer.empty_reads - 3);
}

TEST_F(DownloadTest, ThreeWrongRepliesThenAckSendsThePacketFourTimesAndGoesOn) {
    ScriptedPeer peer(clock, [](ScriptedPeer& p, int n, const std::string&) {
        p.send(n < 3 ? "NAK\r" : "ACK\r");
    });
    ASSERT_TRUE(download(peer).ok);
    ASSERT_EQ(peer.writes.size(), 116u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(peer.writes[static_cast<std::size_t>(i)], peer.writes[0]);
    }
    EXPECT_EQ(peer.writes[4].substr(0, 6), "001010");
}

TEST_F(DownloadTest, FourWrongRepliesFailTheDownload) {
    // Lower case and a blank after the word are wrong too.
    const std::string wrong[] = {"ack\r", "ACK \r", "\r", "DONE!\r"};
    ScriptedPeer peer(clock, [&](ScriptedPeer& p, int n, const std::string&) {
        p.send(n < 4 ? wrong[n] : "ACK\r");
    });
    const LinkResult result = download(peer);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failure,
              "the scanner refused packet 1 of 112 (offset 0000) four times; its last reply was "
              "\"DONE!\\r\"");
    ASSERT_EQ(peer.writes.size(), 5u);
    EXPECT_EQ(peer.writes[3], peer.writes[0]);
    EXPECT_EQ(peer.writes[4], "EXIT\r");
}

TEST_F(DownloadTest, FailedUpdateIsFollowedByExitAndTheBarNeverFills) {
    ScriptedPeer peer(clock, [](ScriptedPeer& p, int, const std::string& text) {
        if (text != "UPDATE\r") {
            p.send("ACK\r");
        }
    });
    const LinkResult result = download(peer);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failure, "no reply to UPDATE within 2000 ms");
    EXPECT_EQ(peer.writes.back(), "EXIT\r");
    EXPECT_EQ(progress.back(), 111);
}

TEST_F(DownloadTest, CrAndLfInOneReadNeverCompleteTheReply) {
    ScriptedPeer peer(clock, always("ACK\r\n"));
    EXPECT_FALSE(download(peer).ok);
    ASSERT_EQ(peer.writes.size(), 2u);
    EXPECT_EQ(peer.writes[1], "EXIT\r");
}

TEST_F(DownloadTest, LfInALaterReadEndsTheReplyAndSpoilsTheNext) {
    ScriptedPeer peer(clock, [](ScriptedPeer& p, int n, const std::string&) {
        if (n == 0) {
            p.send("ACK\r");
            p.send("\n", 1);
        } else {
            p.send("ACK\r", 3);
        }
    });
    ASSERT_TRUE(download(peer).ok);
    // The second packet's reply read "\nACK": it was sent again.
    ASSERT_EQ(peer.writes.size(), 114u);
    EXPECT_EQ(peer.writes[1].substr(0, 6), "001010");
    EXPECT_EQ(peer.writes[2], peer.writes[1]);
}

TEST_F(DownloadTest, BytesWaitingBeforeTheFirstPacketAreEmptiedFromTheLine) {
    ScriptedPeer peer(clock, always("ACK\r"));
    peer.send("xx");
    ASSERT_TRUE(download(peer).ok);
    EXPECT_EQ(peer.writes.size(), 113u);
}

TEST_F(DownloadTest, TheDeadlineIsTakenOnceAndArrivingBytesDoNotExtendIt) {
    // "AC" early, "K" and CR on the last tick within 2000 ms: accepted.
    ScriptedPeer in_time(clock, [](ScriptedPeer& p, int, const std::string&) {
        p.send("AC", 10);
        p.send("K\r", 2000);
    });
    EXPECT_TRUE(download(in_time).ok);
    // One tick later the reply counts as missing, though bytes kept arriving.
    ScriptedPeer too_late(clock, [](ScriptedPeer& p, int n, const std::string&) {
        for (std::uint32_t t = 0; t < 2000; t += 400) {
            p.send(n == 0 ? "A" : "", t);
        }
        p.send(n == 0 ? "CK\r" : "ACK\r", 2001);
    });
    const LinkResult late = download(too_late);
    EXPECT_FALSE(late.ok);
    EXPECT_EQ(too_late.writes.size(), 2u);
}

TEST_F(DownloadTest, RepliesAreGatheredEightBytesAtATime) {
    // A read that ends in CR ends the reply, whatever follows in the line.
    ScriptedPeer peer(clock, [](ScriptedPeer& p, int n, const std::string&) {
        p.send(n == 0 ? "1234567\rACK\r" : "ACK\r");
    });
    ASSERT_TRUE(download(peer).ok);
    EXPECT_EQ(peer.largest_read, 8u);
    // "1234567" was wrong; the "ACK" behind it was emptied from the line before the packet was
    // sent again, which the resent packet's own reply answered.
    EXPECT_EQ(peer.writes.size(), 114u);
    EXPECT_EQ(peer.purges, 2);
}

TEST_F(DownloadTest, DeadlinesHoldAcrossTheTickCountersWrapAround) {
    VirtualClock wrapping(0xFFFFFFFFu - 1500);
    ScriptedPeer peer(wrapping, silent());
    Line line{peer, wrapping};
    EXPECT_FALSE(DownloadSettings(record, line, [](int) {}).ok);
    EXPECT_EQ(peer.write_times[1] - peer.write_times[0], 2001u);
}

TEST_F(DownloadTest, ALongGarbledReplyIsRefusedWithoutOverrunningAnything) {
    ScriptedPeer peer(clock, always(std::string(5000, 'Z') + "\r"));
    const LinkResult result = download(peer);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.failure.find("ZZZZ..."), std::string::npos) << result.failure;
}

}  // namespace
}  // namespace tessmar::test
