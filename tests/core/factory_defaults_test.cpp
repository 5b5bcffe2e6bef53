#include <gtest/gtest.h>

#include <map>

#include "model/program_state.h"

namespace tessmar {
namespace {

// Every non-zero byte of the factory record, by offset.
std::map<std::size_t, std::uint8_t> expected_non_zero_bytes() {
    std::map<std::size_t, std::uint8_t> bytes = {
        {0, 0x9B},  {1, 0xC9},  {2, 0x08},  {5, 0x2D},  {6, 0x54},  {7, 0x80},
        {9, 0x09},  {10, 0x3D}, {12, 0xFF}, {13, 4},    {14, 0xFE}, {15, 4},
        {16, 0xFF}, {17, 4},    {18, 0xFF}, {19, 4},    {20, 0x60}, {21, 10},
        {23, 1},    {26, 0x0A}, {27, 0x04}, {28, 0x48}, {29, 0x10}, {30, 0x05},
        {31, 0x60}, {164, 29},  {186, 13},  {208, 13},  {406, 92},
    };
    for (std::size_t k = 0; k < 7; ++k) {
        const std::size_t block = 417 + 163 * k;
        const std::uint8_t head[] = {0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0x27, 0x01};
        for (std::size_t i = 0; i < std::size(head); ++i) {
            bytes[block + i] = head[i];
        }
        for (const std::size_t at : {21, 35, 49, 63, 77, 146}) {
            bytes[block + at] = 1;
        }
    }
    return bytes;
}

TEST(FactoryDefaults, RecordHoldsExactlyTheFactoryBytes) {
    ProgramState state;
    state.record.bytes.fill(0xA5);  // whatever was there before must go
    load_factory_defaults(state);
    const auto expected = expected_non_zero_bytes();
    for (std::size_t offset = 0; offset < kRecordSize; ++offset) {
        const auto found = expected.find(offset);
        const std::uint8_t want = found == expected.end() ? 0 : found->second;
        EXPECT_EQ(state.record.bytes[offset], want) << "offset " << offset;
    }
}

TEST(FactoryDefaults, BuffersBesideTheRecordMatchIt) {
    ProgramState state;
    state.code_id_origin.fill(3);
    state.code_id_set = 4;
    state.ef_staging[2].fill(0x11);
    state.interface_class = InterfaceClass::rs232;
    load_factory_defaults(state);

    EXPECT_EQ(state.defaults_snapshot, state.record);
    for (int k = 0; k < 7; ++k) {
        const auto block = state.record.edit_format(k).bytes();
        EXPECT_TRUE(std::equal(block.begin(), block.end(), state.ef_staging[k].begin())) << k;
        EXPECT_TRUE(std::equal(block.begin(), block.end(), state.default_edit_formats[k].begin()))
            << k;
    }
    for (const int origin : state.code_id_origin) {
        EXPECT_EQ(origin, 0);
    }
    EXPECT_EQ(state.code_id_set, 0);
    EXPECT_EQ(state.interface_class, InterfaceClass::keyboard_wedge);
}

TEST(FactoryDefaults, LoadingTwiceGivesTheSameState) {
    ProgramState once;
    load_factory_defaults(once);
    ProgramState twice;
    load_factory_defaults(twice);
    twice.record.set(Field::scan_mode, 2);
    load_factory_defaults(twice);
    EXPECT_EQ(once.record, twice.record);
    EXPECT_EQ(once.ef_staging, twice.ef_staging);
}

TEST(FactoryDefaults, FactoryFieldValues) {
    const SettingsRecord record = factory_record();
    EXPECT_EQ(record.get(Field::scan_mode), 6u);
    EXPECT_EQ(record.get(Field::scanner_timeout), 10u);
    EXPECT_EQ(record.get(Field::keyboard_type), 1u);
    EXPECT_EQ(record.get(Field::interleave_25_length_1), 126u);
    EXPECT_EQ(record.get(Field::industrial_25_length_1), 127u);
    EXPECT_EQ(record.get(Field::matrix_25_start_stop_selection), 2u);
    EXPECT_EQ(record.get(Field::buzzer_frequency), 1u);
    EXPECT_EQ(record.get(Field::pdf417_block_delay), 3u);
    const ConstEditFormatBlock block = record.edit_format(0);
    EXPECT_EQ(block.maximum_length(), 9999u);
    EXPECT_EQ(block.minimum_length(), 1u);
    EXPECT_EQ(block.field_divider(5).include_terminating_string(), 1u);
}

TEST(InterfaceClass, DerivedFromKeyboardType) {
    EXPECT_EQ(derive_interface_class(0), InterfaceClass::rs232);
    EXPECT_EQ(derive_interface_class(150), InterfaceClass::wand_emulation);
    EXPECT_EQ(derive_interface_class(1), InterfaceClass::keyboard_wedge);
    EXPECT_EQ(derive_interface_class(28), InterfaceClass::keyboard_wedge);
    EXPECT_EQ(derive_interface_class(200), InterfaceClass::keyboard_wedge);
}

// Opened files and read-backs derive the interface class again, so key strings show in the form
// of the interface they were entered for.
TEST(InterfaceClass, DerivedAgainWhenSettingsAreLoaded) {
    ProgramState state;
    load_factory_defaults(state);
    SettingsRecord rs232 = state.record;
    rs232.set(Field::keyboard_type, 0);
    load_settings_bytes(state, rs232.bytes);
    EXPECT_EQ(state.interface_class, InterfaceClass::rs232);

    SettingsRecord wand = state.record;
    wand.set(Field::keyboard_type, 150);
    load_settings_bytes(state, wand.bytes);
    EXPECT_EQ(state.interface_class, InterfaceClass::wand_emulation);
}

TEST(LoadSettingsBytes, ShortSourceReplacesOnlyItsLeadingBytes) {
    ProgramState state;
    load_factory_defaults(state);
    std::vector<std::uint8_t> hundred(100, 0x77);
    load_settings_bytes(state, hundred);
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        EXPECT_EQ(state.record.bytes[i], i < 100 ? 0x77 : state.defaults_snapshot.bytes[i]) << i;
    }
    // The snapshot is the factory record still: only the record was replaced.
    EXPECT_EQ(state.defaults_snapshot, factory_record());
}

TEST(LoadSettingsBytes, LongSourceIsCutAtTheRecordSize) {
    ProgramState state;
    load_factory_defaults(state);
    std::vector<std::uint8_t> long_source(2000);
    for (std::size_t i = 0; i < long_source.size(); ++i) {
        long_source[i] = static_cast<std::uint8_t>(i * 7);
    }
    load_settings_bytes(state, long_source);
    EXPECT_TRUE(
        std::equal(state.record.bytes.begin(), state.record.bytes.end(), long_source.begin()));
}

}  // namespace
}  // namespace tessmar
