#include <gtest/gtest.h>

#include <set>

#include "model/program_state.h"
#include "model/symbologies.h"
#include "model/value_texts.h"

namespace tessmar {
namespace {

TEST(FieldLayouts, NoTwoFieldsShareABit) {
    std::set<std::pair<unsigned, unsigned>> taken;
    for (const FieldLayout& layout : all_field_layouts()) {
        for (unsigned bit = layout.low_bit; bit <= layout.high_bit; ++bit) {
            EXPECT_TRUE(taken.insert({layout.offset, bit}).second)
                << "byte " << layout.offset << " bit " << bit << " is claimed twice";
        }
    }
}

TEST(FieldLayouts, ReservedBitsBelongToNoField) {
    // Reserved: bytes 3, 4, 8, 22; byte 7 bits 1-0, 11 bits 6-5 and 1-0, 20 bits 3-0, 28 bits
    // 1-0, 29 bits 7-6, 30 bit 5, 31 bits 4-3; byte 229 bits 7-1.
    const std::set<std::pair<unsigned, unsigned>> reserved = {
        {7, 1},  {7, 0},  {11, 6}, {11, 5}, {11, 1}, {11, 0}, {20, 3}, {20, 2}, {20, 1},
        {20, 0}, {28, 1}, {28, 0}, {29, 7}, {29, 6}, {30, 5}, {31, 4}, {31, 3},
    };
    for (const FieldLayout& layout : all_field_layouts()) {
        EXPECT_NE(layout.offset, 3);
        EXPECT_NE(layout.offset, 4);
        EXPECT_NE(layout.offset, 8);
        EXPECT_NE(layout.offset, 22);
        for (unsigned bit = layout.low_bit; bit <= layout.high_bit; ++bit) {
            EXPECT_FALSE(reserved.contains({layout.offset, bit}))
                << "byte " << layout.offset << " bit " << bit;
            EXPECT_FALSE(layout.offset == 229 && bit > 0);
        }
    }
}

TEST(SettingsRecord, SetKeepsTheOtherBitsOfTheByte) {
    SettingsRecord record;
    record.bytes[20] = 0x0F;  // reserved low bits of the scan-mode byte
    record.set(Field::scan_mode, 6);
    EXPECT_EQ(record.bytes[20], 0x6F);
    EXPECT_EQ(record.get(Field::scan_mode), 6u);

    record.bytes[29] = 0xFF;
    record.set(Field::disable_buzzer, 0);
    EXPECT_EQ(record.bytes[29], 0xFD);
    record.set(Field::buzzer_frequency, 2);
    EXPECT_EQ(record.bytes[29], 0xED);
}

TEST(SettingsRecord, SetCutsTheValueToTheFieldWidth) {
    SettingsRecord record;
    record.set(Field::read_redundancy, 0x1F);  // two bits wide
    EXPECT_EQ(record.get(Field::read_redundancy), 3u);
    EXPECT_EQ(record.bytes[11], 0x0C);
}

TEST(SettingsRecord, EveryFieldRoundTripsEveryValueAlone) {
    for (const FieldLayout& layout : all_field_layouts()) {
        for (unsigned value = 0; value <= layout.max_value(); ++value) {
            SettingsRecord record;
            record.bytes.fill(0xFF);
            record.set(layout.field, value);
            EXPECT_EQ(record.get(layout.field), value);
            // Nothing outside the field's bits changed.
            for (std::size_t i = 0; i < kRecordSize; ++i) {
                const std::uint8_t expect_outside = i == layout.offset ? ~layout.mask() : 0xFF;
                EXPECT_EQ(record.bytes[i] & expect_outside & 0xFF, expect_outside & 0xFF);
            }
        }
    }
}

TEST(SettingsRecord, KeySlotsAreElevenBytesAtTheirOffsets) {
    SettingsRecord record;
    record.key_string(KeySlot::prefix_code)[0] = 'P';
    record.string_to_be_replaced(6)[10] = 'S';
    record.replaced_by(1)[0] = 'R';
    EXPECT_EQ(record.bytes[175], 'P');
    EXPECT_EQ(record.bytes[32 + 55 + 10], 'S');
    EXPECT_EQ(record.bytes[98], 'R');
    EXPECT_EQ(offset_of(code_id_slot(12)), 384u);  // UPCA before MSI and Plessey
    EXPECT_EQ(offset_of(code_id_slot(13)), 362u);
}

TEST(SettingsRecord, LengthQualificationSharesItsByte) {
    SettingsRecord record = factory_record();
    EXPECT_EQ(record.get(Field::interleave_25_length_mode), 1u);
    EXPECT_EQ(record.get(Field::interleave_25_length_1), 126u);
    record.bytes[12] = 0x7F;
    EXPECT_EQ(record.get(Field::industrial_25_length_mode), 0u);
    EXPECT_EQ(record.get(Field::industrial_25_length_1), 127u);
}

TEST(ValueTexts, ListedValuesAndUnknownOnes) {
    EXPECT_EQ(value_text(texts::scan_mode, 6), "Laser");
    EXPECT_EQ(value_text(texts::scan_mode, 8), "Unknown (8)");
    EXPECT_EQ(value_text(texts::parity, 3), "Unknown (3)");
    EXPECT_EQ(value_text(texts::msi_checksum_verification, 2), "Modulo 11 && 10");
    EXPECT_EQ(keyboard_type_name(1), "PCAT (US)");
    EXPECT_EQ(keyboard_type_name(28), "IBM 34XX/319X, Memorex Telex 122 Keys");
    EXPECT_EQ(keyboard_type_name(29), "Unknown (29)");
    EXPECT_EQ(keyboard_type_name(0), "Unknown (0)");
    EXPECT_EQ(value_text(texts::buzzer_frequency, 1), "4");
}

TEST(ValueTexts, LayoutValuesByDisplayIndex) {
    EXPECT_EQ(value_text(texts::capital_lock_type, display_index_of_layout_value(0)), "Normal");
    EXPECT_EQ(value_text(texts::capital_lock_type, display_index_of_layout_value(1)), "Normal");
    EXPECT_EQ(value_text(texts::capital_lock_type, display_index_of_layout_value(2)),
              "Capital Lock");
    EXPECT_EQ(value_text(texts::digits_layout, display_index_of_layout_value(3)), "Upper Row");
}

}  // namespace
}  // namespace tessmar
