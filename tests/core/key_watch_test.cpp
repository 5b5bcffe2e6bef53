// Recording a keyboard wedge's keys: named from scan codes, with their modifiers, and checked
// against the prefix and suffix in normal-key form.
#include <gtest/gtest.h>

#include "link/key_watch.h"
#include "model/key_string.h"

namespace tessmar::test {
namespace {

struct Event {
    unsigned scan_code;
    bool extended;
    bool down;
};

constexpr Event down(unsigned scan, bool extended = false) {
    return {scan, extended, true};
}
constexpr Event up(unsigned scan, bool extended = false) {
    return {scan, extended, false};
}

struct RecordCase {
    std::vector<Event> events;
    std::string text;
    bool ended;  // by the suffix, [Enter]
};

const RecordCase kRecordCases[] = {
    {{down(0x2A), down(0x1E), up(0x1E), up(0x2A), down(0x02), down(0x03), down(0x04), down(0x05),
      down(0x1C)},
     "[Shift][A]1234[Enter]",
     true},
    {{down(0x38), up(0x38), down(0x1D, true), down(0x47, true), up(0x1D, true), down(0x0F),
      down(0x01), down(0x3B), down(0x58), down(0x47), down(0x70)},
     "[LeftAlt][RightCtrl][Home][HT][ESC][F1][F12][7*][70]",
     false},
    // A held modifier repeats; the keypad's Enter is Enter too.
    {{down(0x36), down(0x36), down(0x10), up(0x36), down(0x1C, true)}, "[Shift][Q][Enter]", true},
};

TEST(KeyWatch, NamesKeysByScanCodeWithTheirModifiers) {
    for (const RecordCase& c : kRecordCases) {
        KeyRecorder recorder({0x0D}, 0);
        bool ended = false;
        for (const Event& e : c.events) {
            if (e.down) {
                ended = recorder.key_down(e.scan_code, e.extended, 10);
            } else {
                recorder.key_up(e.scan_code, e.extended);
            }
        }
        EXPECT_EQ(watched_keys_text(recorder.keys()), c.text);
        EXPECT_EQ(ended, c.ended) << c.text;
    }
}

TEST(KeyWatch, EndsAfterTwoQuietSeconds) {
    KeyRecorder recorder({0x0D}, 1000);
    EXPECT_FALSE(recorder.quiet_since(3000));
    recorder.key_down(0x02, false, 2500);
    EXPECT_FALSE(recorder.quiet_since(4500));
    EXPECT_TRUE(recorder.quiet_since(4501));
}

struct FramingCase {
    std::vector<std::uint8_t> prefix, suffix;
    std::vector<WatchedKey> keys;
    std::vector<std::string> problems;
};

const FramingCase kFramingCases[] = {
    {{0xC1, 'A'}, {0x0D}, {{kShift, 'A', 0}, {0, '1', 0}, {0, 0x0D, 0}}, {}},
    {{0xC1, 'A'},
     {0x0D},
     {{0, 'A', 0}, {0, '1', 0}, {0, 0x09, 0}},
     {"expected prefix [Shift][A], got A", "expected suffix [Enter], got [HT]"}},
    {{}, {0x0D, 0x0A}, {{0, '1', 0}}, {"expected suffix [Enter][LF], got 1"}},
};

TEST(KeyWatch, ChecksPrefixAndSuffixInNormalKeyForm) {
    for (const FramingCase& c : kFramingCases) {
        KeyStringBuffer prefix{};
        KeyStringBuffer suffix{};
        std::copy(c.prefix.begin(), c.prefix.end(), prefix.begin());
        std::copy(c.suffix.begin(), c.suffix.end(), suffix.begin());
        EXPECT_EQ(key_framing_problems(c.keys, prefix, suffix), c.problems)
            << watched_keys_text(c.keys);
    }
}

}  // namespace
}  // namespace tessmar::test
