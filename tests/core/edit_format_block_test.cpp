#include <gtest/gtest.h>

#include "model/program_state.h"

namespace tessmar {
namespace {

TEST(EditFormatBlock, FieldsAtTheirOffsetsLittleEndian) {
    SettingsRecord record;
    EditFormatBlock block = record.edit_format(2);
    const std::size_t base = 417 + 2 * 163;
    block.set_maximum_length(0x1234);
    block.set_minimum_length(7);
    block.set_matching_string_location(300);
    block.set_number_of_fields_minus_1(5);
    block.field_divider(3).set_field_length(0x0102);
    block.field_divider(3).set_include_terminating_string(1);
    block.field_divider(3).terminating_string()[0] = ';';
    block.additional_field(5)[0] = 'Z';
    block.matching_string()[0] = 'M';
    block.transmission_sequence()[14] = 0x12;

    EXPECT_EQ(record.bytes[base + 4], 0x34);
    EXPECT_EQ(record.bytes[base + 5], 0x12);
    EXPECT_EQ(record.bytes[base + 6], 7);
    EXPECT_EQ(record.bytes[base + 8], 'M');
    EXPECT_EQ(record.bytes[base + 19], 300 & 0xFF);
    EXPECT_EQ(record.bytes[base + 20], 300 >> 8);
    EXPECT_EQ(record.bytes[base + 21 + 28], 1);
    EXPECT_EQ(record.bytes[base + 21 + 28 + 1], 0x02);
    EXPECT_EQ(record.bytes[base + 21 + 28 + 2], 0x01);
    EXPECT_EQ(record.bytes[base + 21 + 28 + 3], ';');
    EXPECT_EQ(record.bytes[base + 91 + 44], 'Z');
    EXPECT_EQ(record.bytes[base + 160], 0x12);
    EXPECT_EQ(record.bytes[base + 162], 5);

    const ConstEditFormatBlock view = std::as_const(record).edit_format(2);
    EXPECT_EQ(view.maximum_length(), 0x1234u);
    EXPECT_EQ(view.matching_string_location(), 300u);
    EXPECT_EQ(view.field_divider(3).field_length(), 0x0102u);
}

TEST(EditFormatBlock, SeventhBlockEndsWhereTheReservedBytesBegin) {
    SettingsRecord record;
    const auto last = record.edit_format(6).bytes();
    EXPECT_EQ(last.data() - record.bytes.data(), 1395);
    EXPECT_EQ(last.data() + last.size() - record.bytes.data(), 1558);
}

TEST(KeyStringSlot, CopyStopsAtTheTerminatorAndKeepsStaleBytes) {
    KeyStringBuffer to;
    to.fill('x');
    const KeyStringBuffer from = {'a', 'b', 0, 'c', 'd', 0, 0, 0, 0, 0, 0};
    copy_key_string(to, from);
    EXPECT_EQ(to[0], 'a');
    EXPECT_EQ(to[1], 'b');
    EXPECT_EQ(to[2], 0);
    EXPECT_EQ(to[3], 'x');
    EXPECT_EQ(key_string_length(to), 2u);
}

TEST(KeyStringSlot, FullStringGetsItsTerminatorInTheEleventhByte) {
    KeyStringBuffer to;
    to.fill('x');
    KeyStringBuffer from;
    from.fill('7');
    copy_key_string(to, from);
    EXPECT_EQ(key_string_length(to), 10u);
    EXPECT_EQ(to[10], 0);
}

TEST(KeyStringSlot, DifferOnlyInTheFirstTenBytes) {
    KeyStringBuffer a{};
    KeyStringBuffer b{};
    b[10] = 9;
    EXPECT_FALSE(key_strings_differ(a, b));
    b[9] = 1;
    EXPECT_TRUE(key_strings_differ(a, b));
}

}  // namespace
}  // namespace tessmar
