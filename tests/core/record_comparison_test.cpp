#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "model/key_string.h"
#include "summary/record_comparison.h"

namespace tessmar {
namespace {

// The comparison as first written, which builds both summaries again for every differing byte:
// the reference that the one-pass comparison must agree with.
bool same_tree(const SummaryNode& a, const SummaryNode& b) {
    return a.text == b.text && a.children.size() == b.children.size() &&
           std::equal(a.children.begin(), a.children.end(), b.children.begin(), same_tree);
}

bool byte_shows(const ProgramState& state, const SummaryNode& summary, std::size_t offset,
                std::uint8_t value) {
    ProgramState changed = state;
    std::array<std::uint8_t, kRecordSize> bytes = state.record.bytes;
    bytes[offset] = value;
    load_settings_bytes(changed, bytes);
    return !same_tree(build_summary(changed), summary);
}

std::vector<std::size_t> unshown_by_rebuilding(const ProgramState& ours,
                                               const SettingsRecord& theirs) {
    ProgramState scanner = ours;
    load_settings_bytes(scanner, theirs.bytes);
    const SummaryNode our_summary = build_summary(ours);
    const SummaryNode their_summary = build_summary(scanner);
    const bool lines_differ = !diff_summaries(our_summary, their_summary).empty();
    std::vector<std::size_t> unshown;
    for (std::size_t offset = 0; offset < kRecordSize; ++offset) {
        const std::uint8_t our_byte = ours.record.bytes[offset];
        const std::uint8_t their_byte = theirs.bytes[offset];
        if (our_byte != their_byte &&
            !(lines_differ && (byte_shows(ours, our_summary, offset, their_byte) ||
                               byte_shows(scanner, their_summary, offset, our_byte)))) {
            unshown.push_back(offset);
        }
    }
    return unshown;
}

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

// A byte the scanner holds otherwise: anywhere, or where values hide (key strings, whose bytes
// after the terminator and whose scan-code markers show nothing, and transmission sequences,
// whose tokens 12 to 15 add nothing), as another value, one bit flipped, a terminator or a marker.
void change_a_byte(std::mt19937& random, SettingsRecord& record) {
    constexpr std::size_t kHidingPlaces[] = {0, 20, 175, 230, 417 + 8, 417 + 24, 417 + 146};
    const auto pick = [&random](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    const std::size_t offset =
        pick(2) ? pick(kRecordSize) : kHidingPlaces[pick(std::size(kHidingPlaces))] + pick(16);
    const std::uint8_t values[] = {
        static_cast<std::uint8_t>(pick(256)),
        static_cast<std::uint8_t>(record.bytes[offset] ^ (1u << pick(8))), 0, kScanCodeMarker};
    record.bytes[offset] = values[pick(std::size(values))];
}

TEST(RecordComparison, OnePassAgreesWithRebuildingTheSummaryForEveryDifferingByte) {
    std::mt19937 random(22);
    for (int round = 0; round < 150; ++round) {
        ProgramState ours;
        load_factory_defaults(ours);
        SettingsRecord base = ours.record;
        if (round % 2) {  // a record of random bytes: unknown values, long key strings
            std::generate(base.bytes.begin(), base.bytes.end(), [&random] { return random(); });
        }
        load_settings_bytes(ours, base.bytes);
        SettingsRecord theirs = ours.record;
        for (int n = static_cast<int>(random() % 6); n >= 0; --n) {
            change_a_byte(random, theirs);
        }
        std::vector<std::size_t> unshown;
        for (const ByteDifference& byte : compare_records(ours, theirs).unshown_bytes) {
            unshown.push_back(byte.offset);
        }
        ASSERT_EQ(unshown, unshown_by_rebuilding(ours, theirs)) << "round " << round;
    }
}

// Buffers beside the record, such as the chosen code ID set, are the program's alone: a scanner
// that holds the same bytes holds the same settings.
TEST(RecordComparison, WhatLivesBesideTheRecordMakesNoDifference) {
    ProgramState ours;
    load_factory_defaults(ours);
    ours.code_id_set = 2;
    EXPECT_TRUE(compare_records(ours, ours.record).equal());
}

// The rows the GUI lists: each line named by itself, then by where it lives, innermost first.
TEST(RecordComparison, RowsNameTheSettingThenWhereItLives) {
    ProgramState ours;
    load_factory_defaults(ours);
    ours.record.set(Field::scan_mode, 1);
    SettingsRecord theirs = ours.record;
    theirs.set(Field::scanner_timeout, 77);
    theirs.set(Field::scan_mode, 2);
    theirs.set(Field::enable_industrial_25, 0);
    theirs.set(Field::industrial_25_length_1, 20);
    theirs.set(Field::margin_time, 1);
    ours.record.edit_format(0).set_number_of_fields_minus_1(1);
    const std::vector<ComparisonRow> rows = comparison_rows(compare_records(ours, theirs));
    struct Expected {
        std::string setting, place, ours, theirs;
    };
    const std::string timeout = std::to_string(ours.record.get(Field::scanner_timeout));
    const Expected expected[] = {
        {"Scan Mode", "Scanner", "Continuous", "Auto Power Off"},
        {"Scanner Timeout", "Scanner", timeout + " sec", "77 sec"},
        {"Industrial 25", "Symbology", "Enable", "Disable"},
        {"Max Length", "Select Length Qualification, Industrial 25, Symbology", "127", "20"},
    };
    ASSERT_GE(rows.size(), std::size(expected) + 2);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(rows[i].setting, expected[i].setting);
        EXPECT_EQ(rows[i].place, expected[i].place);
        EXPECT_EQ(rows[i].ours, expected[i].ours);
        EXPECT_EQ(rows[i].theirs, expected[i].theirs);
    }
    // A line only one side has, and a byte no line shows, last.
    const auto field_row = std::find_if(rows.begin(), rows.end(), [](const ComparisonRow& r) {
        return r.setting == "Field 1 Setting";
    });
    ASSERT_NE(field_row, rows.end());
    EXPECT_EQ(field_row->place, "Field Settings, Editing Format 1, Data Editing, Edit Format");
    EXPECT_EQ(field_row->ours, "(present)");
    EXPECT_EQ(field_row->theirs, "-");
    EXPECT_EQ(rows.back().setting.rfind("Byte ", 0), 0u);
    EXPECT_EQ(rows.back().place, "shown by no line");

    const std::string table = comparison_table_text(rows);
    EXPECT_EQ(
        table.substr(0, table.find("\r\n", table.find("\r\n") + 2) + 2),
        "Setting\tWhere\tTessmar\tScanner\r\nScan Mode\tScanner\tContinuous\tAuto Power Off\r\n");
}

}  // namespace
}  // namespace tessmar
