#include <gtest/gtest.h>

#include <initializer_list>

#include "model/key_string.h"

namespace tessmar {
namespace {

KeyStringBuffer slot_of(std::initializer_list<std::uint8_t> bytes) {
    KeyStringBuffer slot{};
    std::copy(bytes.begin(), bytes.end(), slot.begin());
    return slot;
}

using Items = std::vector<std::string>;
constexpr auto kWedge = InterfaceClass::keyboard_wedge;
constexpr auto kRs232 = InterfaceClass::rs232;
constexpr auto kWand = InterfaceClass::wand_emulation;

struct RenderCase {
    std::initializer_list<std::uint8_t> bytes;
    InterfaceClass interface_class;
    const char* text;
};

TEST(RenderKeyString, WorkedExamples) {
    const RenderCase cases[] = {
        {{0xC1, 0x61}, kWedge, "[Shift][a]"},
        {{0xC6, 0x0D}, kWedge, "[LeftCtrl][LeftAlt][Enter]"},
        {{0xC0, 0x1C, 0xC0, 0x32}, kWedge, "[1C][32]"},
        {{0x41, 0x0D}, kRs232, "[A][CR]"},
        {{0x41, 0x0D}, kWand, "[A][CR]"},
        {{0x41, 0x0D}, kWedge, "[A][Enter]"},
        {{0x1D}, kRs232, "[GS]"},
        {{0x1D}, kWedge, "[Send]"},
        {{0x78, 0x7A}, kRs232, "[x][z]"},
        {{0x78, 0x7A}, kWedge, "[x][z]"},
        {{0x20, 0x7F}, kRs232, "[Space][DEL]"},
        {{0x20, 0x7F, 0x80, 0x89}, kWedge, "[Space][Delay][0*][9*]"},
        {{0xFF, 0x01}, kWedge, "[Shift][LeftCtrl][LeftAlt][RightCtrl][RightAlt][Break][Insert]"},
        {{}, kWedge, ""},
        {{}, kRs232, ""},
    };
    for (const RenderCase& c : cases) {
        EXPECT_EQ(render_key_string(slot_of(c.bytes), 10, c.interface_class).text, c.text);
    }
}

// Codes that no label table covers, or whose entry is empty, show as their hex value.
TEST(RenderKeyString, CodesWithoutALabelShowAsHex) {
    EXPECT_EQ(key_string_text(slot_of({0x80, 0xFF}), kRs232), "[0x80][0xFF]");
    EXPECT_EQ(key_string_text(slot_of({0x90, 0xC0, 0x1E, 0x8A}), kWedge),
              "[0x90][0xC0][0x1E][0x8A]");
    EXPECT_EQ(key_string_text(slot_of({0xC1, 0xC5}), kWedge), "[Shift][0xC5]");
}

TEST(RenderKeyString, ScanCodeFormWithStaleBytesAfterTheTerminator) {
    const auto r = render_key_string(slot_of({0xC0, 0x1C, 0x00, 0x31, 0xC0}), 10, kWedge);
    EXPECT_EQ(r.text, "[1C]");
    EXPECT_EQ(r.length, 2u);
    EXPECT_TRUE(r.scan_code_form);
    EXPECT_EQ(r.modifiers, 0u);
}

TEST(RenderKeyString, ScanCodeFormEndsAtAZeroOnEitherPosition) {
    EXPECT_EQ(key_string_text(slot_of({0xC0, 0x1C, 0xC0, 0x00, 0xC0, 0x33}), kWedge), "[1C]");
    EXPECT_EQ(key_string_text(slot_of({0xC0, 0xFF, 0xC0, 0x01}), kWedge), "[FF][01]");
    // Only a keyboard wedge reads 0xC0 as the start of scan codes.
    EXPECT_EQ(key_string_text(slot_of({0xC0, 0x41}), kRs232), "[0xC0][A]");
}

TEST(RenderKeyString, ModifierByteFollowedByTheTerminator) {
    const auto r = render_key_string(slot_of({0xC3, 0x00}), 10, kWedge);
    EXPECT_EQ(r.text, "[Shift][LeftCtrl]");
    EXPECT_EQ(r.modifiers, kShift | kLeftCtrl);
    EXPECT_EQ(r.length, 1u);
    EXPECT_FALSE(r.scan_code_form);
}

TEST(RenderKeyString, ReportsTheUnionOfModifiers) {
    const auto r = render_key_string(slot_of({0xC1, 'a', 'b', 0xE0, 'c'}), 10, kWedge);
    EXPECT_EQ(r.text, "[Shift][a][b][Break][c]");
    EXPECT_EQ(r.modifiers, kShift | kBreak);
    EXPECT_EQ(r.length, 5u);
}

TEST(RenderKeyString, TenBytesWithNoTerminatorFillTheString) {
    KeyStringBuffer slot;
    slot.fill('A');
    slot[10] = 'B';  // the eleventh byte is never read
    const auto r = render_key_string(slot, 10, kRs232);
    EXPECT_EQ(r.text, "[A][A][A][A][A][A][A][A][A][A]");
    EXPECT_EQ(r.length, 10u);

    KeyStringBuffer five_pairs;
    five_pairs.fill(0xC0);
    for (std::size_t i = 1; i < 11; i += 2) {
        five_pairs[i] = static_cast<std::uint8_t>(i);
    }
    EXPECT_EQ(key_string_text(five_pairs, kWedge), "[01][03][05][07][09]");
}

// A modifier byte in the tenth position has no key within the string's ten bytes.
TEST(RenderKeyString, ModifierInTheLastPositionEndsTheString) {
    KeyStringBuffer slot;
    slot.fill('a');
    slot[9] = 0xC1;
    slot[10] = 'Z';
    EXPECT_EQ(key_string_text(slot, kWedge), "[a][a][a][a][a][a][a][a][a][Shift]");
}

TEST(RenderKeyString, MaximumByteCountLimitsTheText) {
    const auto r = render_key_string(slot_of({'a', 'b', 'c'}), 2, kRs232);
    EXPECT_EQ(r.text, "[a][b]");
    EXPECT_EQ(r.length, 2u);
}

TEST(KeyStringSetupItems, EmptySlotIsValidateAlone) {
    EXPECT_EQ(key_string_setup_items(slot_of({}), kWedge), Items{"9994<Validate>"});
    EXPECT_EQ(key_string_setup_items(slot_of({}), kRs232), Items{"9994<Validate>"});
}

TEST(KeyStringSetupItems, NibbleItemsOfOneByte) {
    EXPECT_EQ(key_string_setup_items(slot_of({0x41}), kRs232),
              (Items{"9904<0x04>", "9901<0x01>", "9994<Validate>"}));
    EXPECT_EQ(key_string_setup_items(slot_of({0x4A}), kRs232),
              (Items{"9904<0x04>", "9910<0x0A>", "9994<Validate>"}));
    EXPECT_EQ(key_string_setup_items(slot_of({0xFF}), kWand),
              (Items{"9915<0x0F>", "9915<0x0F>", "9994<Validate>"}));
}

TEST(KeyStringSetupItems, ScanCodesWithStaleBytes) {
    EXPECT_EQ(key_string_setup_items(slot_of({0xC0, 0x1C, 0x00, 0x31, 0xC0}), kWedge),
              (Items{"9936<Scan Code>", "9901<0x01>", "9912<0x0C>", "9994<Validate>"}));
}

TEST(KeyStringSetupItems, ModifierByteFollowedByTheTerminator) {
    EXPECT_EQ(key_string_setup_items(slot_of({0xC3, 0x00}), kWedge),
              (Items{"9930<Add Shift>", "9931<Add Control (L)>", "9994<Validate>"}));
}

TEST(KeyStringSetupItems, ModifiersInBitOrderBeforeTheirKey) {
    EXPECT_EQ(key_string_setup_items(slot_of({0xFE, 0x0D, 0x41}), kWedge),
              (Items{"9931<Add Control (L)>", "9932<Add Alternate (L)>", "9933<Add Control (R)>",
                     "9934<Add Alternate (R)>", "9935<Add Break>", "9900<0x00>", "9913<0x0D>",
                     "9904<0x04>", "9901<0x01>", "9994<Validate>"}));
    EXPECT_EQ(key_string_setup_items(slot_of({0xC1, 0x61}), kWedge),
              (Items{"9930<Add Shift>", "9906<0x06>", "9901<0x01>", "9994<Validate>"}));
}

TEST(FieldTokens, Labels) {
    EXPECT_EQ(field_token_label(0), "");
    EXPECT_EQ(field_token_label(1), "[F1]");
    EXPECT_EQ(field_token_label(6), "[F6]");
    EXPECT_EQ(field_token_label(7), "[A1]");
    EXPECT_EQ(field_token_label(11), "[A5]");
    EXPECT_EQ(field_token_label(12), "");
    EXPECT_EQ(field_token_label(15), "");
}

std::array<std::uint8_t, kTransmissionSequenceSize> sequence_of(
    std::initializer_list<std::uint8_t> bytes) {
    std::array<std::uint8_t, kTransmissionSequenceSize> sequence{};
    std::copy(bytes.begin(), bytes.end(), sequence.begin());
    return sequence;
}

TEST(FieldTokens, RenderTransmissionSequence) {
    EXPECT_EQ(render_transmission_sequence(sequence_of({0x01, 0x02, 0x07, 0x00, 0x03})),
              "[F1][F2][A1]");
    EXPECT_EQ(render_transmission_sequence(sequence_of({0x27})), "[F2][A1]");
    EXPECT_EQ(render_transmission_sequence(sequence_of({0x20})), "[F2]");
    EXPECT_EQ(render_transmission_sequence(sequence_of({0x12})), "[F1][F2]");
    EXPECT_EQ(render_transmission_sequence(sequence_of({0x10})), "[F1]");
    EXPECT_EQ(render_transmission_sequence(sequence_of({0x0B})), "[A5]");
    EXPECT_EQ(render_transmission_sequence(sequence_of({0x0C, 0xFD, 0x01})), "[F1]");
    std::array<std::uint8_t, kTransmissionSequenceSize> full;
    full.fill(0x11);
    EXPECT_EQ(render_transmission_sequence(full).size(), 30u * 4);
}

TEST(FieldTokens, SetupItems) {
    EXPECT_EQ(field_token_setup_item(1), "9901<Field 1>");
    EXPECT_EQ(field_token_setup_item(6), "9906<Field 6>");
    EXPECT_EQ(field_token_setup_item(7), "9907<Additional Field 1>");
    EXPECT_EQ(field_token_setup_item(11), "9911<Additional Field 5>");
    // 12 to 15 name no field; their codes are the scanner's nibble codes.
    EXPECT_EQ(field_token_setup_item(12), "");
    EXPECT_EQ(field_token_setup_item(0), "");
}

TEST(FieldTokens, SequenceTokensUnpackBothNibbles) {
    EXPECT_EQ(transmission_sequence_tokens(sequence_of({0x27, 0x03, 0x10})),
              (std::vector<unsigned>{2, 7, 3, 1}));
}

}  // namespace
}  // namespace tessmar
