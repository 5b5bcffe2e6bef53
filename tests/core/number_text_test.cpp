#include <gtest/gtest.h>

#include <limits>

#include "pages/number_text.h"

namespace tessmar {
namespace {

TEST(NumberText, OnlyDigitsAreANumber) {
    EXPECT_EQ(parse_unsigned_decimal("0"), 0ul);
    EXPECT_EQ(parse_unsigned_decimal("255"), 255ul);
    EXPECT_EQ(parse_unsigned_decimal("007"), 7ul);
    for (const char* text : {"", "a", "12a", "-1", " 5", "5 ", "+3", "1.5", "0x10"}) {
        EXPECT_FALSE(parse_unsigned_decimal(text)) << '"' << text << '"';
    }
}

TEST(NumberText, HugeNumbersSaturate) {
    EXPECT_EQ(parse_unsigned_decimal("99999999999999999999999999999"),
              std::numeric_limits<unsigned long>::max());
}

TEST(NumberText, OnlyNonEmptyNonNumbersNeedTheFallback) {
    EXPECT_FALSE(number_text_needs_fallback(""));
    EXPECT_FALSE(number_text_needs_fallback("42"));
    EXPECT_TRUE(number_text_needs_fallback("4x"));
    EXPECT_TRUE(number_text_needs_fallback("x"));
}

// Leaving a box shows what OK would store, where that is not what was typed.
TEST(NumberText, ANumberAboveTheRangeShowsAsTheMaximumOnLeaving) {
    EXPECT_EQ(number_shown_on_leaving("999", 255), 255u);
    EXPECT_EQ(number_shown_on_leaving("99999999999999999999", 65535), 65535u);
    for (const char* text : {"255", "0", "", "305x"}) {
        EXPECT_FALSE(number_shown_on_leaving(text, 255)) << '"' << text << '"';
    }
}

TEST(NumberText, CommittedValueIsClampedAndDefaultsToZero) {
    EXPECT_EQ(number_box_value("", 255), 0u);
    EXPECT_EQ(number_box_value("abc", 255), 0u);
    EXPECT_EQ(number_box_value("200", 255), 200u);
    EXPECT_EQ(number_box_value("256", 255), 255u);
    EXPECT_EQ(number_box_value("99999999999999999999", 255), 255u);
}

}  // namespace
}  // namespace tessmar
