#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "summary/record_comparison.h"

namespace tessmar {
namespace {

// The offsets at which two records differ.
std::vector<std::size_t> differing_offsets(const SettingsRecord& a, const SettingsRecord& b) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (a.bytes[i] != b.bytes[i]) {
            offsets.push_back(i);
        }
    }
    return offsets;
}

struct Case {
    const char* name;
    std::function<void(SettingsRecord& theirs)> change;
    std::size_t lines;
    bool all_bytes_unshown;  // every differing byte is listed, else none is
};

// The factory settings select a keyboard wedge, so the RS-232 and wand options show nowhere.
const Case kCases[] = {
    {"equal records", [](SettingsRecord&) {}, 0, false},
    {"a setting the tree shows", [](SettingsRecord& r) { r.set(Field::scan_mode, 1); }, 1, false},
    {"the options of interfaces not selected",
     [](SettingsRecord& r) {
         r.set(Field::margin_time, 1);
         r.set(Field::baud_rate, 2);
     },
     0, true},
    {"the interface itself, whose own lines then differ",
     [](SettingsRecord& r) { r.set(Field::keyboard_type, kKeyboardTypeRs232); }, 19, false},
};

TEST(RecordComparison, ListsTheLinesThatDifferThenTheBytesNoLineShows) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        ProgramState ours;
        load_factory_defaults(ours);
        SettingsRecord theirs = ours.record;
        c.change(theirs);
        const RecordComparison comparison = compare_records(ours, theirs);
        EXPECT_EQ(comparison.lines.size(), c.lines);
        EXPECT_EQ(comparison.equal(), ours.record == theirs);
        std::vector<std::size_t> unshown;
        for (const ByteDifference& byte : comparison.unshown_bytes) {
            unshown.push_back(byte.offset);
            EXPECT_EQ(byte.ours, ours.record.bytes[byte.offset]);
            EXPECT_EQ(byte.theirs, theirs.bytes[byte.offset]);
        }
        EXPECT_EQ(unshown, c.all_bytes_unshown ? differing_offsets(ours.record, theirs)
                                               : std::vector<std::size_t>{});
    }
}

TEST(RecordComparison, AShownChangeDoesNotHideAnUnshownOneBeside) {
    ProgramState ours;
    load_factory_defaults(ours);
    SettingsRecord theirs = ours.record;
    theirs.set(Field::scanner_timeout, 77);
    SettingsRecord wand_only = theirs;
    wand_only.set(Field::module_time, 1);
    const std::vector<std::size_t> hidden = differing_offsets(theirs, wand_only);
    ASSERT_EQ(hidden.size(), 1u);
    const RecordComparison comparison = compare_records(ours, wand_only);
    ASSERT_EQ(comparison.lines.size(), 1u);
    EXPECT_EQ(*comparison.lines[0].b, "Scanner Timeout: 77 sec");
    ASSERT_EQ(comparison.unshown_bytes.size(), 1u);
    EXPECT_EQ(comparison.unshown_bytes[0].offset, hidden[0]);
}

// Buffers beside the record, such as the chosen code ID set, are the program's alone: a scanner
// that holds the same bytes holds the same settings.
TEST(RecordComparison, WhatLivesBesideTheRecordMakesNoDifference) {
    ProgramState ours;
    load_factory_defaults(ours);
    ours.code_id_set = 2;
    EXPECT_TRUE(compare_records(ours, ours.record).equal());
}

// The rows the GUI lists: each line taken apart into its setting and the two values.
TEST(RecordComparison, RowsNameTheSettingAndBothValues) {
    ProgramState ours;
    load_factory_defaults(ours);
    ours.record.set(Field::scan_mode, 1);
    SettingsRecord theirs = ours.record;
    theirs.set(Field::scanner_timeout, 77);
    theirs.set(Field::scan_mode, 2);
    theirs.set(Field::enable_industrial_25, 0);
    theirs.set(Field::margin_time, 1);
    ours.record.edit_format(0).set_number_of_fields_minus_1(1);
    const std::vector<ComparisonRow> rows = comparison_rows(compare_records(ours, theirs));
    struct Expected {
        std::string setting, ours, theirs;
    };
    const std::string timeout = std::to_string(ours.record.get(Field::scanner_timeout));
    const Expected expected[] = {
        {"Scanner > Scan Mode", "Continuous", "Auto Power Off"},
        {"Scanner > Scanner Timeout", timeout + " sec", "77 sec"},
        {"Symbology > Industrial 25", "Enable", "Disable"},
    };
    ASSERT_GE(rows.size(), std::size(expected) + 2);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(rows[i].setting, expected[i].setting);
        EXPECT_EQ(rows[i].ours, expected[i].ours);
        EXPECT_EQ(rows[i].theirs, expected[i].theirs);
    }
    // A line only one side has, and a byte no line shows, last.
    const auto field_row = std::find_if(rows.begin(), rows.end(), [](const ComparisonRow& r) {
        return r.setting.ends_with("Field 1 Setting");
    });
    ASSERT_NE(field_row, rows.end());
    EXPECT_EQ(field_row->ours, "(present)");
    EXPECT_EQ(field_row->theirs, "-");
    EXPECT_EQ(rows.back().setting.rfind("Byte ", 0), 0u);
    EXPECT_TRUE(rows.back().setting.ends_with(", shown by no line")) << rows.back().setting;
}

}  // namespace
}  // namespace tessmar
