#include <gtest/gtest.h>

#include <string>

#include "pages/length_rules.h"

namespace tessmar {
namespace {

TEST(LengthRules, PendingLengthsFollowTheTextAsTyped) {
    const struct {
        LengthBox box;
        const char* text;
        unsigned long pending;
    } kCases[] = {
        {LengthBox::first, "20", 20},
        {LengthBox::first, "127", 127},
        {LengthBox::first, "200", 127},  // the text stays as typed
        {LengthBox::first, "99999999999999999999999", 127},
        {LengthBox::first, "0", 0},
        {LengthBox::first, "", 127},
        {LengthBox::first, "1x", 127},  // replaced by "127" as it is typed
        {LengthBox::second, "50", 50},
        {LengthBox::second, "300", 300},  // only OK clamps the second length
        {LengthBox::second, "0", 0},
        {LengthBox::second, "", 1},
        {LengthBox::second, "4a", 1},  // replaced by "1"
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.box == LengthBox::first ? "first " : "second ") + c.text);
        EXPECT_EQ(pending_length(c.box, c.text), c.pending);
    }
    EXPECT_STREQ(length_box_fallback(LengthBox::first), "127");
    EXPECT_STREQ(length_box_fallback(LengthBox::second), "1");
}

TEST(LengthRules, OkKeepsTheSecondWithinOneAndTheFirstAndTheFirstWithin127) {
    const struct {
        bool max_min;
        unsigned long first, second;
        unsigned stored_first, stored_second;
    } kCases[] = {
        {true, 127, 4, 127, 4},        // the factory lengths
        {true, 20, 50, 20, 20},        // a maximum below the minimum: the minimum is cut
        {true, 127, 1, 127, 1},        // both boxes cleared
        {true, 0, 0, 1, 1},            // zero is no length
        {true, 0, 5, 1, 1},            // the first becomes 1 before the second is compared
        {true, 5, 0, 5, 1},            // a second of zero becomes 1
        {true, 127, 300, 127, 127},    // a second above a byte
        {true, 1000, 1000, 127, 127},  // a first the rule of the box did not cut
        // Two fixed lengths are both kept, the larger first.
        {false, 10, 20, 20, 10},
        {false, 20, 10, 20, 10},
        {false, 0, 5, 5, 1},
        {false, 10, 300, 127, 10},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::to_string(c.max_min) + ": " + std::to_string(c.first) + " / " +
                     std::to_string(c.second));
        const Lengths lengths = committed_lengths(c.first, c.second, c.max_min);
        EXPECT_EQ(lengths.first, c.stored_first);
        EXPECT_EQ(lengths.second, c.stored_second);
    }
}

}  // namespace
}  // namespace tessmar
