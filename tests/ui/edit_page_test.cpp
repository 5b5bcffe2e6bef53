// The Edit page, and the protocol by which the editing-format sheet it opens reaches the record.
#include "tests/ui/edit_format_fixture.h"

#include <algorithm>

namespace tessmar::test {
namespace {

constexpr std::size_t kSubstitutionsBegin = 32;
constexpr std::size_t kSubstitutionsEnd = 164;
constexpr std::size_t kSwitchesBegin = 219;
constexpr std::size_t kSwitchesEnd = 227;

std::vector<std::uint8_t> bytes_of(const SettingsRecord& record, std::size_t begin,
                                   std::size_t end) {
    return {record.bytes.begin() + static_cast<std::ptrdiff_t>(begin),
            record.bytes.begin() + static_cast<std::ptrdiff_t>(end)};
}

EditFormatBytes block_of(const SettingsRecord& record, int k) {
    EditFormatBytes block;
    std::ranges::copy(record.edit_format(k).bytes(), block.begin());
    return block;
}

TEST_F(EditFormat, OkWritesTheSwitchesFromTheCheckMarksAndTheSubstitutionsBackUnchanged) {
    // A file may hold switch values other than 0 and 1, and stale bytes behind a terminator.
    const std::uint8_t switches[] = {1, 0, 5, 0, 0, 0, 1, 1};
    std::ranges::copy(switches, state.record.bytes.begin() + kSwitchesBegin);
    const std::uint8_t substitution[] = {0x41, 0x00, 0x42, 0x43};
    std::ranges::copy(substitution, state.record.replaced_by(4).begin());
    const std::vector<std::uint8_t> substitutions =
        bytes_of(state.record, kSubstitutionsBegin, kSubstitutionsEnd);
    std::vector<bool> shown;
    run_page([&](HWND page) {
        shown.push_back(checked(page, IDC_EDITING_EXCLUSIVE));
        for (int n = 1; n <= kEditingFormats; ++n) {
            shown.push_back(checked(page, IDC_ENABLE_FORMAT_FIRST + n - 1));
        }
        click(page, IDC_ENABLE_FORMAT_FIRST + 4);
    });
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true, false, false, false, true}));
    EXPECT_EQ(bytes_of(state.record, kSwitchesBegin, kSwitchesEnd),
              (std::vector<std::uint8_t>{1, 0, 1, 0, 0, 1, 1, 0}));
    EXPECT_EQ(bytes_of(state.record, kSubstitutionsBegin, kSubstitutionsEnd), substitutions);
    EXPECT_TRUE(state.settings_modified);
}

TEST_F(EditFormat, SubstitutionsArePickedInTheGridWithoutKeyTypeAndReachTheRecordOnOk) {
    bool key_type_shown = true;
    run_page(
        [&](HWND page) {
            click_at(GetDlgItem(page, IDC_STRING_TO_BE_REPLACED_FIRST + 1), {5, 5});
            click_at(GetDlgItem(page, IDC_REPLACED_BY_FIRST + 1), {5, 5});
        },
        PSBTN_OK,
        [&](ModalScript& script) {
            script
                .then([&](HWND grid) {
                    key_type_shown = visible(grid, IDC_KEY_TYPE) || visible(grid, IDC_KEY_STATUS);
                    pick_in_grid(kLetterA)(grid);
                })
                .then(pick_in_grid(kComma));
        });
    EXPECT_FALSE(key_type_shown);
    EXPECT_EQ(state.record.string_to_be_replaced(2)[0], 0x41);
    EXPECT_EQ(state.record.replaced_by(2)[0], 0x2C);
    EXPECT_NE(tree_text().find("      String to be Replaced : [A]\n      Relplaced By : [,]"),
              std::string::npos);
}

// Reset writes the record at once and leaves the staging blocks alone; the format configured
// before it is not copied back, since the reload forgot it was configured.
TEST_F(EditFormat, ResetWritesTheRecordAtOnceAndLeavesTheStagingBlocks) {
    for (const int button : {PSBTN_OK, PSBTN_CANCEL}) {
        SCOPED_TRACE(button);
        load_factory_defaults(state);
        std::fill_n(state.record.bytes.begin() + kSubstitutionsBegin, 20, 0x31);
        std::fill_n(state.record.bytes.begin() + kSwitchesBegin, 8, 1);
        state.record.edit_format(6).set_maximum_length(77);
        state.settings_modified = false;
        std::vector<std::uint8_t> staging_after_configure;
        run_page(
            [&](HWND page) {
                click(page, configure_button(3));
                staging_after_configure.assign(state.ef_staging[2].begin(),
                                               state.ef_staging[2].end());
                click(page, IDC_EDIT_RESET);
            },
            button,
            [](ModalScript& script) {
                script.then(on_format_sheet([](HWND sheet) {
                    SetDlgItemTextA(show_tab(sheet, kApplicableTab), IDC_MINIMUM_LENGTH, "12");
                }));
            });
        EXPECT_EQ(bytes_of(state.record, kSubstitutionsBegin, kSubstitutionsEnd),
                  std::vector<std::uint8_t>(kSubstitutionsEnd - kSubstitutionsBegin, 0));
        EXPECT_EQ(bytes_of(state.record, kSwitchesBegin, kSwitchesEnd),
                  std::vector<std::uint8_t>(kSwitchesEnd - kSwitchesBegin, 0));
        for (int k = 0; k < static_cast<int>(kEditFormatBlockCount); ++k) {
            EXPECT_EQ(block_of(state.record, k), default_edit_format_block()) << k;
        }
        EXPECT_EQ(state.ef_staging[2][6], 12);
        EXPECT_EQ(std::vector<std::uint8_t>(state.ef_staging[2].begin(), state.ef_staging[2].end()),
                  staging_after_configure);
        EXPECT_TRUE(state.settings_modified);  // the record changed, Cancel or not
        EXPECT_NE(tree_text().find("  Data Editing\n    Disable Exclusive\n"
                                   "    Disable Editing Format 1\n"),
                  std::string::npos);
    }
}

TEST_F(EditFormat, AFormatCommittedByItsSheetSurvivesCancelOnReaderSettings) {
    configure(
        3,
        [](HWND sheet) {
            SetDlgItemTextA(show_tab(sheet, kApplicableTab), IDC_MINIMUM_LENGTH, "12");
            EXPECT_EQ(window_text(sheet), "Configure Editing Format");
            EXPECT_EQ(tab_captions(sheet),
                      (std::vector<std::string>{"Applicable Conditions", "Field Settings",
                                                "Transmission Sequence"}));
        },
        PSBTN_OK, PSBTN_CANCEL);
    EXPECT_EQ(state.record.edit_format(2).minimum_length(), 12u);
    EXPECT_EQ(state.current_format, 2);
    EXPECT_TRUE(state.settings_modified);
    EXPECT_NE(tree_text().find("Disable Editing Format 3\n      Applicable Conditions\n"),
              std::string::npos);
    EXPECT_NE(tree_text().find("        Minimum Length : 12\n"), std::string::npos);
}

// The sheet's OK marks its format configured, so the Edit page's OK copies the staging block
// once more; after the sheet's Cancel it does not.
TEST_F(EditFormat, OnlyAFormatCommittedByItsSheetIsCopiedAgainOnOk) {
    for (const int button : {PSBTN_OK, PSBTN_CANCEL}) {
        SCOPED_TRACE(button);
        load_factory_defaults(state);
        run_page(
            [&](HWND page) {
                click(page, configure_button(4));
                state.ef_staging[3][161] = 0x5A;  // a byte no page shows
            },
            PSBTN_OK,
            [&](ModalScript& script) { script.then(on_format_sheet([](HWND) {}, button)); });
        EXPECT_EQ(state.record.edit_format(3).bytes()[161], button == PSBTN_OK ? 0x5A : 0x00);
    }
}

// The pages not shown do not commit; the page that does copies the whole block, so what the
// others would have rewritten stays as stored.
TEST_F(EditFormat, VisitingOnlyApplicableConditionsCopiesTheWholeBlock) {
    EditFormatBlock block = state.record.edit_format(1);
    const std::uint8_t packed[] = {0x12, 0x07};
    std::ranges::copy(packed, block.transmission_sequence().begin());
    block.set_number_of_fields_minus_1(9);
    block.additional_field(3)[0] = 0x33;
    configure(2, [](HWND sheet) { click(show_tab(sheet, kApplicableTab), IDC_CODE_TYPE_FIRST); });
    EXPECT_EQ(block_of(state.record, 1), state.ef_staging[1]);
    EXPECT_EQ(block.applicable_code_types(0), 0x7F);
    EXPECT_EQ(block.transmission_sequence()[0], 0x12);
    EXPECT_EQ(block.number_of_fields_minus_1(), 9u);
    EXPECT_EQ(block.additional_field(3)[0], 0x33);
}

}  // namespace
}  // namespace tessmar::test
