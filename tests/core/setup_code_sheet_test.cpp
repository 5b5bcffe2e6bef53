// The sheet's frame: heading, preamble, section headings only before their first token, the
// closing token, the question when nothing differs; number and key-string tokens.
#include <gtest/gtest.h>

#include "model/key_string.h"
#include "sheet/sheet_tokens.h"
#include "tests/core/sheet_test_support.h"

namespace tessmar::test {
namespace {

TEST(SetupCodeSheet, FactoryRecordAnsweredYesGivesHeadingPreambleAndClosingOnly) {
    ProgramState state = factory_state();
    const SheetRun run = run_sheet(state, true);
    EXPECT_TRUE(run.complete);
    EXPECT_EQ(run.questions, 1);
    EXPECT_EQ(run.text, std::string(kSheetHead) + kSheetEnd);
}

TEST(SetupCodeSheet, FactoryRecordAnsweredNoLeavesOnlyTheHeading) {
    ProgramState state = factory_state();
    const SheetRun run = run_sheet(state, false);
    EXPECT_FALSE(run.complete);
    EXPECT_EQ(run.questions, 1);
    EXPECT_EQ(run.text, "Orlo Scanner Configuration Sheet\r\n");
}

TEST(SetupCodeSheet, OneChangeWritesOnlyItsSectionAndAsksNothing) {
    ProgramState state = factory_state();
    state.record.set(Field::scanner_timeout, 105);
    const SheetRun run = run_sheet(state, false);
    EXPECT_TRUE(run.complete);
    EXPECT_EQ(run.questions, 0);
    EXPECT_EQ(run.text, std::string(kSheetHead) +
                            "\r\n\r\nScanner Settings\r\n"
                            "0207<Scanner Timeout>9901<0x01>9900<0x00>9905<0x05>9994<Validate>" +
                            kSheetEnd);
}

// The preamble comes once, before the first heading; each heading once, before its first token.
TEST(SetupCodeSheet, ChangesInSeveralSectionsShareOnePreamble) {
    ProgramState state = factory_state();
    state.record.set(Field::scan_mode, 0);
    state.record.set(Field::read_negative_barcode, 1);
    state.record.set(Field::enable_code_93, 0);
    const SheetRun run = run_sheet(state);
    EXPECT_EQ(run.text, std::string(kSheetHead) +
                            "\r\n\r\nScanner Settings\r\n"
                            "0066<Auto Off Mode>0199<Enable Negative Barcode>"
                            "\r\n\r\nCode 93 Settings\r\n0089<Disable>" +
                            kSheetEnd);
}

TEST(SetupCodeSheet, NumberTokens) {
    EXPECT_EQ(FormatNumberTokens(0), "9900<0x00>9994<Validate>");
    EXPECT_EQ(FormatNumberTokens(10), "9901<0x01>9900<0x00>9994<Validate>");
    EXPECT_EQ(FormatNumberTokens(105), "9901<0x01>9900<0x00>9905<0x05>9994<Validate>");
    EXPECT_EQ(FormatNumberTokens(260), "9902<0x02>9906<0x06>9900<0x00>9994<Validate>");
    EXPECT_EQ(FormatNumberTokens(9999), "9909<0x09>9909<0x09>9909<0x09>9909<0x09>9994<Validate>");
    EXPECT_EQ(FormatNumberTokens(65535),
              "9906<0x06>9905<0x05>9905<0x05>9903<0x03>9905<0x05>9994<Validate>");
}

struct KeyStringCase {
    unsigned keyboard_type;  // the record's interface; the interface class follows it
    std::initializer_list<std::uint8_t> suffix;
    const char* tokens;
};

// The suffix in every form its interface gives it; the default suffix is CR.
TEST(SetupCodeSheet, KeyStringsInEachForm) {
    const KeyStringCase cases[] = {
        {0,
         {0x41, 0x0D, 0x0A},
         "0001<RS232 Interface>0274<Suffix Code>9904<0x04>9901<0x01>9900<0x00>9913<0x0D>"
         "9900<0x00>9910<0x0A>9994<Validate>"},
        {150, {0x7F}, "0306<Wand Emulation>0274<Suffix Code>9907<0x07>9915<0x0F>9994<Validate>"},
        {1,
         {0xC1, 0x61, 0x0D},
         "0274<Suffix Code>9930<Add Shift>9906<0x06>9901<0x01>"
         "9900<0x00>9913<0x0D>9994<Validate>"},
        {1,
         {0xFF, 0x8F},
         "0274<Suffix Code>9930<Add Shift>9931<Add Control (L)>"
         "9932<Add Alternate (L)>9933<Add Control (R)>9934<Add Alternate (R)>"
         "9935<Add Break>9908<0x08>9915<0x0F>9994<Validate>"},
        {1,
         {0xC0, 0x1C, 0xC0, 0x5A},
         "0274<Suffix Code>9936<Scan Code>9901<0x01>9912<0x0C>"
         "9905<0x05>9910<0x0A>9994<Validate>"},
        // An emptied suffix: its naming token and the validate token alone.
        {1, {}, "0274<Suffix Code>9994<Validate>"},
    };
    for (const KeyStringCase& c : cases) {
        ProgramState state = factory_state();
        std::array<std::uint8_t, kRecordSize> bytes = state.record.bytes;
        bytes[23] = static_cast<std::uint8_t>(c.keyboard_type);
        load_settings_bytes(state, bytes);
        put_key_string(state.record.key_string(KeySlot::suffix_code), c.suffix);
        EXPECT_EQ(tokens_of(state), c.tokens) << "keyboard type " << c.keyboard_type;
    }
}

// Bytes behind a string's terminator count as a difference, but are never spelled.
TEST(SetupCodeSheet, KeyStringComparesTenBytesAndSpellsUpToTheTerminator) {
    ProgramState state = factory_state();
    state.record.bytes[offset_of(KeySlot::prefix_code) + 10] = 0x41;  // the eleventh byte
    EXPECT_EQ(tokens_of(state), "");
    state.record.bytes[offset_of(KeySlot::prefix_code) + 9] = 0x41;  // stale, behind the 0
    EXPECT_EQ(tokens_of(state), "0273<Prefix Code>9994<Validate>");
}

TEST(SetupCodeSheet, RefreshesTheStagingBlocksOfFormatsOneToSix) {
    ProgramState state = factory_state();
    for (int k = 0; k < 7; ++k) {
        state.record.edit_format(k).bytes()[100] = static_cast<std::uint8_t>(k + 1);
        state.ef_staging[static_cast<std::size_t>(k)].fill(0xEE);
        state.default_edit_formats[static_cast<std::size_t>(k)].fill(0xEE);
    }
    run_sheet(state);
    for (int k = 0; k < 6; ++k) {
        EXPECT_TRUE(std::ranges::equal(state.ef_staging[static_cast<std::size_t>(k)],
                                       state.record.edit_format(k).bytes()));
        EXPECT_TRUE(std::ranges::equal(state.default_edit_formats[static_cast<std::size_t>(k)],
                                       state.defaults_snapshot.edit_format(k).bytes()));
    }
    EXPECT_EQ(state.ef_staging[6][0], 0xEE);  // the seventh block is not the sheet's
}

}  // namespace
}  // namespace tessmar::test
