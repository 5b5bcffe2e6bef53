#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tessmar
