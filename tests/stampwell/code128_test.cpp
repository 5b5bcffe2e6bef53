#include <gtest/gtest.h>

#include "tools/stampwell/code128.h"

namespace stampwell {
namespace {

int modules(const std::string& widths) {
    int sum = 0;
    for (const char w : widths) {
        sum += w - '0';
    }
    return sum;
}

TEST(Code128, DigitsGoInPairsInCodeSetCWithTheModulo103Check) {
    // 105 + 1 x 2 + 2 x 7 = 121, and 121 mod 103 = 18.
    EXPECT_EQ(code128_values("0207"), (std::vector<int>{105, 2, 7, 18, 106}));
    // The enter-setup code: seven pairs.
    EXPECT_EQ(code128_values("51277335127700"),
              (std::vector<int>{105, 51, 27, 73, 35, 12, 77, 0, 61, 106}));
}

// An odd last digit switches to code set B, where the digit 3 is value 19.
TEST(Code128, AnOddLastDigitGoesInCodeSetB) {
    // 105 + 12 + 2 x 100 + 3 x 19 = 374, and 374 mod 103 = 65.
    EXPECT_EQ(code128_values("123"), (std::vector<int>{105, 12, 100, 19, 65, 106}));
    EXPECT_EQ(code128_values("7"), (std::vector<int>{105, 100, 23, 45, 106}));
}

// Every symbol is 11 modules of three bars and three spaces, the stop symbol 13 with its bar.
TEST(Code128, EverySymbolHasItsWidth) {
    for (int value = 0; value < kStop; ++value) {
        const std::string widths = code128_widths({value});
        EXPECT_EQ(widths.size(), 6u) << value;
        EXPECT_EQ(modules(widths), 11) << value;
    }
    EXPECT_EQ(code128_widths({kStop}), "2331112");
}

TEST(Code128, SvgHasQuietZonesAndItsPrintedSize) {
    const std::string svg = code128_svg("0207", 0.5, 10);
    // 10 + 4 symbols x 11 + 13 + 10 modules.
    EXPECT_NE(svg.find("viewBox=\"0 0 77 1\""), std::string::npos) << svg;
    EXPECT_NE(svg.find("width=\"38.5000mm\" height=\"10.0000mm\""), std::string::npos);
    EXPECT_NE(svg.find("data-code=\"0207\""), std::string::npos);
    EXPECT_EQ(svg.find("M10 0h2v1h-2z"), svg.find("d=\"") + 3);  // the first bar after the zone
    EXPECT_EQ(svg.find('\n'), std::string::npos);  // one line, so it can be cut out alone
}

}  // namespace
}  // namespace stampwell
