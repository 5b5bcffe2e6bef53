#include <gtest/gtest.h>

#include <vector>

#include "pages/key_grid_keyboard.h"

namespace tessmar {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Backspace takes back a whole key: with its modifier byte, or a whole scan-code pair. A byte of
// 0xC1 or more is a modifier only where a key starts.
TEST(KeyGridKeyboard, BackspaceRemovesTheLastKeyWhole) {
    constexpr auto kWedge = InterfaceClass::keyboard_wedge;
    const struct {
        InterfaceClass interface_class;
        Bytes value;
        Bytes after;
    } cases[] = {
        {kWedge, {0xC1, 0x41, 0x42}, {0xC1, 0x41}},
        {kWedge, {0x42, 0xC1, 0x41}, {0x42}},
        {kWedge, {0xC3}, {}},
        {kWedge, {0xC0, 0x1E, 0xC0, 0x30}, {0xC0, 0x1E}},
        {InterfaceClass::rs232, {0x41, 0xC1}, {0x41}},
        {kWedge, {}, {}},
    };
    for (const auto& c : cases) {
        KeyStringBuffer value{};
        std::copy(c.value.begin(), c.value.end(), value.begin());
        remove_last_key(value, c.interface_class);
        EXPECT_EQ(Bytes(value.begin(), value.begin() + static_cast<std::ptrdiff_t>(c.after.size())),
                  c.after)
            << ::testing::PrintToString(c.value);
        EXPECT_EQ(value[c.after.size()], 0) << ::testing::PrintToString(c.value);
    }
}

}  // namespace
}  // namespace tessmar
