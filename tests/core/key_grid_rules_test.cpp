#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <vector>

#include "pages/key_grid_rules.h"

namespace tessmar {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr auto kWedge = InterfaceClass::keyboard_wedge;
constexpr KeyGridCell kLetterA{4, 1};
constexpr KeyGridCell kLetterB{4, 2};
constexpr KeyGridCell kDigit1{3, 1};
constexpr unsigned kShiftFlag = 0;
constexpr unsigned kLeftAltFlag = 2;

KeyStringBuffer slot_of(std::initializer_list<std::uint8_t> bytes) {
    KeyStringBuffer slot{};
    std::copy(bytes.begin(), bytes.end(), slot.begin());
    return slot;
}

Bytes value_of(const KeyGridState& state) {
    return Bytes(state.result.begin(), state.result.begin() + state.length);
}

// `key` `times` times, after `before`.
Bytes repeated(const Bytes& key, int times, Bytes before = {}) {
    for (int i = 0; i < times; ++i) {
        before.insert(before.end(), key.begin(), key.end());
    }
    return before;
}

KeyGridState empty_grid() {
    return open_key_grid(KeyStringBuffer{}, kWedge);
}

TEST(KeyGrid, PicksAppendTheirKeysWithTheModifiersThenInForce) {
    KeyGridState grid = empty_grid();
    EXPECT_EQ(pick_key(grid, kLetterA), PickOutcome::appended);
    EXPECT_EQ(value_of(grid), (Bytes{0x41}));
    EXPECT_EQ(key_grid_text(grid), "[A]");
    toggle_modifier(grid, kShiftFlag);
    EXPECT_EQ(pick_key(grid, kDigit1), PickOutcome::appended);
    EXPECT_EQ(value_of(grid), (Bytes{0x41, 0xC1, 0x31}));
    EXPECT_EQ(key_grid_text(grid), "[A][Shift][1]");
    EXPECT_EQ(grid.selected, kDigit1);
}

// Each way of filling the ten bytes, then one pick more, which is refused with the value as it
// was but the selection moved.
TEST(KeyGrid, TheTenByteLimitRefusesThePickThatWouldPassIt) {
    struct Case {
        const char* name;
        bool scan_codes;
        int plain_picks;    // before "Add Shift"
        int shifted_picks;  // after it
        Bytes full;
    };
    const Bytes a{0x41}, shifted_a{0xC1, 0x41}, scan_code_a{0xC0, 0x41};
    const Case cases[] = {
        {"ten plain keys", false, 10, 0, repeated(a, 10)},
        {"five shifted keys", false, 0, 5, repeated(shifted_a, 5)},
        {"one plain, four shifted", false, 1, 4, repeated(shifted_a, 4, a)},
        {"five scan codes", true, 5, 0, repeated(scan_code_a, 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeyGridState grid = empty_grid();
        choose_key_type(grid, c.scan_codes);
        for (int i = 0; i < c.plain_picks; ++i) {
            ASSERT_EQ(pick_key(grid, kLetterA), PickOutcome::appended);
        }
        if (c.shifted_picks > 0) {
            toggle_modifier(grid, kShiftFlag);
        }
        for (int i = 0; i < c.shifted_picks; ++i) {
            ASSERT_EQ(pick_key(grid, kLetterA), PickOutcome::appended);
        }
        ASSERT_EQ(value_of(grid), c.full);
        const std::string text = key_grid_text(grid);
        EXPECT_EQ(pick_key(grid, kLetterB), PickOutcome::too_many);
        EXPECT_EQ(value_of(grid), c.full);
        EXPECT_EQ(grid.result[kKeyStringMaxBytes], 0);
        EXPECT_EQ(key_grid_text(grid), text);
        EXPECT_EQ(grid.selected, kLetterB);
    }
}

TEST(KeyGrid, OpensOnAScanCodeValueInScanCodeForm) {
    KeyGridState grid = open_key_grid(slot_of({0xC0, 0x1E, 0xC0, 0x30}), kWedge);
    EXPECT_EQ(grid.form, KeyStringForm::scan_code);
    EXPECT_EQ(key_grid_columns(grid.form), 16);
    EXPECT_EQ(key_grid_text(grid), "[1E][30]");
    EXPECT_EQ(grid.selected, (KeyGridCell{0, 0}));
    EXPECT_EQ(pick_key(grid, {15, 15}), PickOutcome::appended);
    EXPECT_EQ(value_of(grid), (Bytes{0xC0, 0x1E, 0xC0, 0x30, 0xC0, 0xFF}));
}

TEST(KeyGrid, OpensOnAModifiedKeyWithItsModifiersInForce) {
    KeyGridState grid = open_key_grid(slot_of({0xC5, 0x41}), kWedge);
    EXPECT_EQ(grid.form, KeyStringForm::normal_key);
    for (unsigned flag = 0; flag < kModifierFlagCount; ++flag) {
        EXPECT_EQ(modifier_set(grid, flag), flag == kShiftFlag || flag == kLeftAltFlag) << flag;
    }
    EXPECT_EQ(pick_key(grid, kLetterB), PickOutcome::appended);
    EXPECT_EQ(value_of(grid), (Bytes{0xC5, 0x41, 0xC5, 0x42}));
    EXPECT_EQ(key_grid_text(grid), "[Shift][LeftAlt][A][Shift][LeftAlt][B]");
    toggle_modifier(grid, kLeftAltFlag);
    EXPECT_EQ(pick_key(grid, kLetterB), PickOutcome::appended);
    EXPECT_EQ(value_of(grid), (Bytes{0xC5, 0x41, 0xC5, 0x42, 0xC1, 0x42}));
}

// Where the grid hides "Key Type" and "Key Status", Clear leaves nothing of the old value that the
// user could not undo: the grid is as on an empty value. Where it shows them, they stay. Either
// way the grid opened on the value, so OK alone keeps it (a Code ID box's too).
TEST(KeyGrid, ClearDropsTheFormAndModifiersOnlyWhereTheyAreHidden) {
    const struct {
        Bytes value;
        bool offers_key_type;
        KeyStringForm form_after;
        unsigned modifiers_after;
    } cases[] = {
        {{0xC1, 0x41}, false, KeyStringForm::normal_key, 0},
        {{0xC0, 0x1E}, false, KeyStringForm::normal_key, 0},
        {{0xC1, 0x41}, true, KeyStringForm::normal_key, 1u << kShiftFlag},
        {{0xC0, 0x1E}, true, KeyStringForm::scan_code, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.value) + " " + std::to_string(c.offers_key_type));
        KeyStringBuffer slot{};
        std::ranges::copy(c.value, slot.begin());
        KeyGridState grid = open_key_grid(slot, kWedge);
        EXPECT_EQ(value_of(grid), c.value);
        pick_key(grid, {12, 3});  // past the normal-key table in scan-code form
        clear_key_grid(grid, c.offers_key_type);
        EXPECT_EQ(value_of(grid), Bytes{});
        EXPECT_EQ(grid.form, c.form_after);
        EXPECT_EQ(grid.modifiers, c.modifiers_after);
        EXPECT_LT(grid.selected.column, key_grid_columns(grid.form));
    }
}

// A damaged value from a file: what follows the last whole pair is not kept, so the pairs the
// grid appends stay aligned with the pairs the value holds.
TEST(KeyGrid, AScanCodeValueCutInsideAPairKeepsItsWholePairs) {
    KeyGridState grid = open_key_grid(slot_of({0xC0, 0x1E, 0xC0}), kWedge);
    EXPECT_EQ(value_of(grid), (Bytes{0xC0, 0x1E}));
    pick_key(grid, {3, 0});
    EXPECT_EQ(key_grid_text(grid), "[1E][30]");
}

TEST(KeyGrid, TheZeroCellMovesTheSelectionButAddsNothing) {
    for (const KeyStringForm form :
         {KeyStringForm::character, KeyStringForm::normal_key, KeyStringForm::scan_code}) {
        SCOPED_TRACE(static_cast<int>(form));
        KeyGridState grid = form == KeyStringForm::character
                                ? open_key_grid(KeyStringBuffer{}, InterfaceClass::rs232)
                                : empty_grid();
        choose_key_type(grid, form == KeyStringForm::scan_code);
        ASSERT_EQ(pick_key(grid, kLetterA), PickOutcome::appended);
        const Bytes before = value_of(grid);
        EXPECT_EQ(pick_key(grid, {0, 0}), PickOutcome::ignored);
        EXPECT_EQ(value_of(grid), before);
        EXPECT_EQ(grid.selected, (KeyGridCell{0, 0}));
    }
}

TEST(KeyGrid, CharacterFormWithRs232AndWand) {
    for (const InterfaceClass interface_class :
         {InterfaceClass::rs232, InterfaceClass::wand_emulation}) {
        SCOPED_TRACE(static_cast<int>(interface_class));
        KeyGridState grid = open_key_grid(slot_of({0xC1, 0x0D}), interface_class);
        EXPECT_EQ(grid.form, KeyStringForm::character);
        EXPECT_EQ(grid.modifiers, 0u);
        EXPECT_FALSE(key_grid_shows_key_controls(grid.form, true));
        const int columns = key_grid_columns(grid.form);
        EXPECT_EQ(columns, 8);
        std::vector<std::string> headers;
        for (int column = 0; column < columns; ++column) {
            headers.push_back(key_grid_column_header(column));
        }
        EXPECT_EQ(headers,
                  (std::vector<std::string>{"00", "10", "20", "30", "40", "50", "60", "70"}));
        // A modifier flag set by mistake never reaches a character.
        toggle_modifier(grid, kShiftFlag);
        choose_key_type(grid, true);
        EXPECT_EQ(grid.form, KeyStringForm::character);
        EXPECT_EQ(pick_key(grid, {0, 13}), PickOutcome::appended);
        EXPECT_EQ(value_of(grid), (Bytes{0xC1, 0x0D, 0x0D}));
        EXPECT_EQ(key_grid_text(grid), "[0xC1][CR][CR]");
        EXPECT_EQ(pick_key(grid, {8, 0}), PickOutcome::ignored);  // past the last column
    }
}

TEST(KeyGrid, SwitchingKeyTypeStartsAfreshAndClearKeepsTheRest) {
    KeyGridState grid = empty_grid();
    toggle_modifier(grid, kShiftFlag);
    pick_key(grid, kLetterA);
    clear_key_grid(grid, true);
    EXPECT_EQ(value_of(grid), Bytes{});
    EXPECT_EQ(grid.result, KeyStringBuffer{});
    EXPECT_EQ(grid.selected, kLetterA);
    EXPECT_EQ(grid.form, KeyStringForm::normal_key);
    EXPECT_TRUE(modifier_set(grid, kShiftFlag));

    pick_key(grid, kLetterA);
    choose_key_type(grid, true);
    EXPECT_EQ(grid.form, KeyStringForm::scan_code);
    EXPECT_EQ(grid.result, KeyStringBuffer{});
    EXPECT_EQ(grid.length, 0u);
    EXPECT_EQ(grid.selected, (KeyGridCell{0, 0}));
    EXPECT_TRUE(modifier_set(grid, kShiftFlag));
    pick_key(grid, kLetterA);
    EXPECT_EQ(value_of(grid), (Bytes{0xC0, 0x41}));  // no modifier byte in scan-code form
    choose_key_type(grid, false);
    EXPECT_EQ(grid.result, KeyStringBuffer{});
    EXPECT_EQ(key_grid_text(grid), "");
}

// A client of 405 x 345 pixels with nine columns: cells of 40 x 20, headers at the top and left,
// and a strip of 5 pixels at the right and bottom that belongs to no cell.
TEST(KeyGrid, HitTestFindsCodeCellsOnly) {
    const KeyGridMetrics metrics = key_grid_metrics(KeyStringForm::normal_key, 405, 345);
    ASSERT_EQ(metrics.cell_width, 40);
    ASSERT_EQ(metrics.cell_height, 20);
    struct Case {
        int x, y;
        std::optional<KeyGridCell> cell;
    };
    const Case cases[] = {
        {10, 10, std::nullopt},          // header corner
        {200, 19, std::nullopt},         // header row
        {39, 200, std::nullopt},         // header column
        {40, 20, KeyGridCell{0, 0}},     // first code cell, on its grid lines
        {79, 39, KeyGridCell{0, 0}},     //
        {80, 40, KeyGridCell{1, 1}},     //
        {399, 339, KeyGridCell{8, 15}},  // last code cell
        {400, 200, std::nullopt},        // leftover strip at the right
        {200, 340, std::nullopt},        // leftover strip at the bottom
        {-1, 200, std::nullopt},         //
        {200, -5, std::nullopt},         //
    };
    for (const Case& c : cases) {
        EXPECT_EQ(key_grid_hit(metrics, c.x, c.y), c.cell) << c.x << "," << c.y;
    }
    // A client too small for a pixel per cell has no cells at all.
    EXPECT_EQ(key_grid_hit(key_grid_metrics(KeyStringForm::scan_code, 16, 300), 5, 50),
              std::nullopt);
    EXPECT_EQ(key_grid_hit(key_grid_metrics(KeyStringForm::scan_code, 300, 0), 50, 0),
              std::nullopt);
}

TEST(KeyGrid, TheSelectionFillsItsCellInsideTheGridLines) {
    const KeyGridMetrics metrics{9, 40, 20};
    EXPECT_EQ(key_grid_cell_box(metrics, {0, 0}), (GridRect{40, 20, 81, 41}));
    EXPECT_EQ(key_grid_selection_fill(metrics, {0, 0}), (GridRect{41, 21, 80, 40}));
    EXPECT_EQ(key_grid_selection_fill(metrics, {8, 15}), (GridRect{361, 321, 400, 340}));
}

TEST(KeyGrid, HeadersAndCellLabelsInEachForm) {
    EXPECT_EQ(key_grid_column_header(15), "F0");
    EXPECT_EQ(key_grid_row_header(15), "0F");
    struct Case {
        KeyStringForm form;
        KeyGridCell cell;
        const char* label;
    };
    const Case cases[] = {
        {KeyStringForm::normal_key, {0, 1}, "Insert"},
        {KeyStringForm::normal_key, {0, 13}, "Enter"},
        {KeyStringForm::normal_key, {8, 9}, "9*"},
        {KeyStringForm::normal_key, {1, 14}, ""},
        {KeyStringForm::character, {0, 13}, "CR"},
        {KeyStringForm::character, {2, 6}, "&"},
        {KeyStringForm::scan_code, {15, 15}, "FF"},
        {KeyStringForm::scan_code, {0, 0}, "00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(key_grid_cell_label(c.form, c.cell), c.label);
    }
}

// Whatever value the grid opens on and whatever the user does, the value stays a well-formed
// string of the length the grid counts: no 0 byte inside it, nothing after it, scan codes in
// whole pairs.
TEST(KeyGrid, RandomSessionsKeepTheValueWellFormed) {
    std::mt19937 random(8);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int session = 0; session < 20000; ++session) {
        KeyStringBuffer value{};
        for (std::uint8_t& b : value) {
            b = static_cast<std::uint8_t>(random() % 3 == 0 ? 0xC0 + random() % 4 : byte(random));
        }
        const auto interface_class = static_cast<InterfaceClass>(random() % 3);
        KeyGridState grid = open_key_grid(value, interface_class);
        for (int step = 0; step < 12; ++step) {
            switch (random() % 8) {
                case 0:
                    choose_key_type(grid, random() % 2 == 0);
                    break;
                case 1:
                    toggle_modifier(grid, static_cast<unsigned>(random() % kModifierFlagCount));
                    break;
                case 2:
                    clear_key_grid(grid, random() % 2 == 0);
                    break;
                default:
                    pick_key(grid,
                             {static_cast<int>(random() % 17), static_cast<int>(random() % 17)});
            }
            ASSERT_LE(grid.length, kKeyStringMaxBytes);
            ASSERT_EQ(key_string_length(grid.result), grid.length);
            for (std::size_t i = grid.length; i < kKeyStringSize; ++i) {
                ASSERT_EQ(grid.result[i], 0);
            }
            if (grid.form == KeyStringForm::scan_code) {
                ASSERT_EQ(grid.length % 2, 0u);
            }
        }
    }
}

}  // namespace
}  // namespace tessmar
