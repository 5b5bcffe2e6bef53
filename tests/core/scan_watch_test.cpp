// Watching a scanner's output: what ends a scan, how it is shown, and how its prefix and suffix
// are judged.
#include <gtest/gtest.h>

#include "link/scan_watch.h"
#include "model/program_state.h"
#include "tests/core/scripted_peer.h"

namespace tessmar::test {
namespace {

std::vector<std::uint8_t> bytes_of(const std::string& text) {
    return {text.begin(), text.end()};
}

struct Piece {
    std::string bytes;
    std::uint32_t at_ms;
};

struct SplitCase {
    const char* name;
    std::string suffix;
    std::vector<Piece> pieces;
    std::vector<std::string> scans;  // visible text, then "|" and the gaps
};

const SplitCase kSplitCases[] = {
    {"the suffix ends each scan",
     "\r\n",
     {{"12\r\n34\r\n", 0}},
     {"12[CR][LF]|0 ms", "34[CR][LF]|0 ms"}},
    {"a suffix split between reads", "\r\n", {{"12\r", 0}, {"\n", 30}}, {"12[CR][LF]|0-30 ms"}},
    {"a gap over 100 ms", "", {{"AB", 0}, {"CD", 101}}, {"AB|0 ms", "CD|0 ms"}},
    {"a gap of 100 ms", "", {{"AB", 0}, {"CD", 100}}, {"ABCD|0-100 ms"}},
    {"no suffix: silence ends it", "\r\n", {{"7\r", 0}}, {"7[CR]|0 ms"}},
};

TEST(ScanWatch, SplitsScansBySuffixOrGapWithoutWriting) {
    for (const SplitCase& c : kSplitCases) {
        VirtualClock clock;
        ScriptedPeer peer(clock, [](ScriptedPeer&, int, const std::string&) {});
        peer.wakes_on_arrival = true;
        for (const Piece& piece : c.pieces) {
            peer.send(piece.bytes, piece.at_ms);
        }
        ScanSplitter splitter(bytes_of(c.suffix));
        std::vector<std::string> seen;
        while (clock.now_ms() < 2000) {
            for (const ReceivedScan& scan : watch_port(peer, clock, splitter, 20)) {
                seen.push_back(visible_text(scan.bytes) + "|" + gaps_text(scan.gaps_ms));
            }
        }
        EXPECT_EQ(seen, c.scans) << c.name;
        EXPECT_TRUE(peer.writes.empty()) << c.name;
    }
}

struct FramingCase {
    std::string prefix;
    std::string suffix;
    std::string scan;
    std::vector<std::string> problems;
};

const FramingCase kFramingCases[] = {
    {"\x02",
     "\r\n",
     "\x02"
     "123\r\n",
     {}},
    {"\x02",
     "\r\n",
     "\x02"
     "123\r",
     {"expected suffix [CR][LF], got [CR]"}},
    {"\x02",
     "\r\n",
     "\x02"
     "123",
     {"expected suffix [CR][LF], got nothing"}},
    {"\x02",
     "\r\n",
     "\x02"
     "123\r\r\n",
     {"expected suffix [CR][LF], got [CR][CR][LF]"}},
    {"AB", "", "XY123", {"expected prefix AB, got XY"}},
    {"",
     "\r\n",
     "\x02"
     "12\r\n",
     {"expected no prefix, got [STX]"}},
    {"", "\r", "\r", {}},
    {"", "", "12\t", {"expected no suffix, got [HT]"}},
    {"\x02",
     "\x03",
     "12",
     {"expected prefix [STX], got nothing", "expected suffix [ETX], got nothing"}},
};

TEST(ScanWatch, NamesWhatIsWrongWithPrefixAndSuffix) {
    for (const FramingCase& c : kFramingCases) {
        const ScanFraming framing{bytes_of(c.prefix), bytes_of(c.suffix)};
        EXPECT_EQ(framing_problems(framing, bytes_of(c.scan)), c.problems)
            << visible_text(bytes_of(c.scan));
    }
}

TEST(ScanWatch, ShowsEveryByteVisiblyAndInHex) {
    const std::vector<std::uint8_t> bytes = {0x00, 0x02, 'A', ' ', '[', 0x7F, 0x80, 0xFF, '\r'};
    EXPECT_EQ(visible_text(bytes), "[0x00][STX]A [[DEL][0x80][0xFF][CR]");
    EXPECT_EQ(hex_text(bytes), "00 02 41 20 5B 7F 80 FF 0D");
    const ReceivedScan scan{bytes_of("\x02"
                                     "9\r"),
                            {3, 12}};
    EXPECT_EQ(
        scan_line("08:05:09.007", scan, {bytes_of("\x02"), bytes_of("\r\n")}),
        "08:05:09.007  [STX]9[CR]  gaps 3-12 ms  MISMATCH: expected suffix [CR][LF], got [CR]");
    EXPECT_EQ(time_of_day_text(8, 5, 9, 7), "08:05:09.007");
}

struct LineCase {
    unsigned baud_rate, parity, data_bit, flow_control;
    const char* text;
};

const LineCase kLineCases[] = {
    {2, 0, 1, 0, "9600 8N1"},
    {1, 1, 0, 0, "19200 7E1"},
    {0, 2, 1, 1, "38400 8O1 flow control"},
    {7, 0, 1, 2, "300 8N1 flow control"},
    {5, 3, 1, 3, "1200 8N1"},  // a parity no list names reads as none
};

TEST(ScanWatch, TakesTheLineFromTheRs232Group) {
    for (const LineCase& c : kLineCases) {
        SettingsRecord record = factory_record();
        record.set(Field::baud_rate, c.baud_rate);
        record.set(Field::parity, c.parity);
        record.set(Field::data_bit, c.data_bit);
        record.set(Field::flow_control, c.flow_control);
        EXPECT_EQ(line_settings_text(rs232_line_settings(record)), c.text);
    }
}

}  // namespace
}  // namespace tessmar::test
