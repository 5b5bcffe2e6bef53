#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "pages/key_grid_keyboard.h"
#include "pages/transmission_sequence.h"

namespace tessmar {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr auto kWedge = InterfaceClass::keyboard_wedge;
constexpr auto kRs232 = InterfaceClass::rs232;

KeyStringBuffer slot_of(const Bytes& bytes) {
    KeyStringBuffer slot{};
    std::copy(bytes.begin(), bytes.end(), slot.begin());
    return slot;
}

// Typed characters append their key in the value's form, with no modifier, as the grid would;
// a full value and a character with no key leave the value as it was.
TEST(KeyGridKeyboard, TypedCharactersAppendTheirKeys) {
    const struct {
        const char* name;
        InterfaceClass interface_class;
        Bytes value;
        std::string typed;
        Bytes after;
        PickOutcome last;
    } cases[] = {
        {"letters as normal keys", kWedge, {}, "Ab", {0x41, 0x62}, PickOutcome::appended},
        {"no modifier carried over",
         kWedge,
         {0xC1, 0x41},
         "B",
         {0xC1, 0x41, 0x42},
         PickOutcome::appended},
        {"characters with RS-232", kRs232, {0x0D}, " ~", {0x0D, 0x20, 0x7E}, PickOutcome::appended},
        {"no characters in scan codes",
         kWedge,
         {0xC0, 0x1E},
         "A",
         {0xC0, 0x1E},
         PickOutcome::ignored},
        {"control characters have no key", kRs232, {}, "\t", {}, PickOutcome::ignored},
        {"the eleventh byte", kWedge, Bytes(10, 0x41), "B", Bytes(10, 0x41), PickOutcome::too_many},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyStringBuffer value = slot_of(c.value);
        PickOutcome last = PickOutcome::ignored;
        for (const char character : c.typed) {
            last = type_key(value, c.interface_class, character);
        }
        EXPECT_EQ(last, c.last);
        EXPECT_EQ(value, slot_of(c.after));
    }
}

// Backspace takes back a whole key: with its modifier byte, or a whole scan-code pair.
TEST(KeyGridKeyboard, BackspaceRemovesTheLastKeyWhole) {
    const struct {
        InterfaceClass interface_class;
        Bytes value;
        Bytes after;
    } cases[] = {
        {kWedge, {0xC1, 0x41, 0x42}, {0xC1, 0x41}},
        {kWedge, {0x42, 0xC1, 0x41}, {0x42}},
        {kWedge, {0xC3}, {}},
        {kWedge, {0xC0, 0x1E, 0xC0, 0x30}, {0xC0, 0x1E}},
        {kRs232, {0x41, 0xC1}, {0x41}},
        {kWedge, {}, {}},
    };
    for (const auto& c : cases) {
        KeyStringBuffer value = slot_of(c.value);
        remove_last_key(value, c.interface_class);
        EXPECT_EQ(value, slot_of(c.after)) << ::testing::PrintToString(c.value);
    }
}

TEST(KeyGridKeyboard, BackspaceRemovesTheLastToken) {
    TokenList list;
    add_token(list, 1);
    add_token(list, 7);
    remove_last_token(list);
    EXPECT_EQ(list.count, 1u);
    EXPECT_EQ(Bytes(list.bytes.begin(), list.bytes.begin() + 2), (Bytes{1, 0}));
    remove_last_token(list);
    remove_last_token(list);
    EXPECT_EQ(list.count, 0u);
}

}  // namespace
}  // namespace tessmar
