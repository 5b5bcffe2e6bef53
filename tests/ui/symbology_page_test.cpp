#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "model/symbologies.h"
#include "resources/resource.h"
#include "summary/summary_diff.h"
#include "summary/summary_tree.h"
#include "tests/ui/support/key_grid_driver.h"
#include "tests/ui/support/page_driver.h"
#include "tests/ui/support/sheet_page_fixture.h"
#include "tests/ui/support/tree_view_reader.h"

namespace tessmar::test {
namespace {

using S = Symbology;

constexpr int kSymbologyTab = 2;
constexpr KeyGridCell kLetterA{4, 1};

// The page's boxes, 101 to 117, in its own order.
constexpr Symbology kPageOrder[] = {S::code_39,
                                    S::italian_pharmacode,
                                    S::french_pharmacode,
                                    S::industrial_25,
                                    S::interleave_25,
                                    S::matrix_25,
                                    S::codabar,
                                    S::code_93,
                                    S::upce,
                                    S::ean_8,
                                    S::ean_13,
                                    S::upca,
                                    S::msi,
                                    S::plessey,
                                    S::ean_128,
                                    S::code_128,
                                    S::pdf417};

int box_of(Symbology symbology) {
    const auto* at = std::find(std::begin(kPageOrder), std::end(kPageOrder), symbology);
    return IDC_SYMBOLOGY_FIRST + static_cast<int>(at - std::begin(kPageOrder));
}

int button_of(Symbology symbology) {
    return box_of(symbology) + IDC_CONFIGURE_OFFSET;
}

class SymbologyPage : public SheetPageTest {
  protected:
    SymbologyPage() : SheetPageTest(kSymbologyTab) {}

    // Which boxes the page shows checked, in its order.
    std::vector<bool> boxes_shown() {
        std::vector<bool> shown;
        run_page(
            [&](HWND page) {
                for (const Symbology symbology : kPageOrder) {
                    shown.push_back(checked(page, box_of(symbology)));
                }
            },
            PSBTN_CANCEL);
        return shown;
    }

    std::vector<bool> enabled_in_record() const {
        std::vector<bool> enabled;
        for (const Symbology symbology : kPageOrder) {
            enabled.push_back(symbology_enabled(state.record, symbology));
        }
        return enabled;
    }
};

// A script step that clicks `controls` in a dialog and presses `button`.
ModalScript::Step clicks_then(std::vector<int> controls, int button = IDOK) {
    return [controls, button](HWND dialog) {
        for (const int id : controls) {
            click(dialog, id);
        }
        press_button(dialog, button);
    };
}

// A box and its Configure button as one letter: X checked with its button enabled, O unchecked
// with its button grey, ? when they disagree; x and o for a box without a button.
char box_state(HWND page, Symbology symbology) {
    const bool box = checked(page, box_of(symbology));
    if (!GetDlgItem(page, button_of(symbology))) {
        return box ? 'x' : 'o';
    }
    return box != enabled(page, button_of(symbology)) ? '?' : box ? 'X' : 'O';
}

TEST_F(SymbologyPage, BoxesShowTheRecordAndEachButtonFollowsItsBoxAtOnce) {
    // UPCE by its add-on 5 alone, EAN 13 with no variant, PDF 417 by its prefix alone.
    state.record.set(Field::upce_no_addon, 0);
    state.record.set(Field::upce_addon_5, 1);
    for (const Field field : kEan13Variants) {
        state.record.set(field, 0);
    }
    state.record.key_string(KeySlot::pdf417_escape_character)[0] = 0;
    state.record.key_string(KeySlot::pdf417_suffix_code)[0] = 0;
    state.record.key_string(KeySlot::pdf417_prefix_code)[0] = 0x41;
    state.record.set(Field::enable_code_39, 0);
    state.record.set(Field::enable_matrix_25, 1);
    const SettingsRecord before = state.record;
    std::string at_open, after_click;
    run_page(
        [&](HWND page) {
            for (const Symbology symbology : kPageOrder) {
                at_open += box_state(page, symbology);
                click(page, box_of(symbology));
                after_click += box_state(page, symbology);
            }
        },
        PSBTN_CANCEL);
    EXPECT_EQ(at_open, "OOOXXXXxXXOXOOOxX");
    EXPECT_EQ(after_click, "XXXOOOOoOOXOXXXoO");
    EXPECT_EQ(state.record, before);
}

// Every box unchecked: the own enable bits clear, the UPC and EAN families lose their variants,
// PDF 417 its three strings; every other byte stays. Checked again, the UPC and EAN families read
// plain codes ("No Addon") and PDF 417 stays off.
TEST_F(SymbologyPage, OkWritesEnableBitsAndClearsUncheckedDerivedStates) {
    const auto click_all = [](HWND page) {
        for (const Symbology symbology : kPageOrder) {
            click(page, box_of(symbology));
        }
    };
    // Every symbology enabled: all of byte 0, and MSI, Plessey and EAN 128 in byte 2.
    state.record.bytes[0] = 0xFF;
    state.record.bytes[2] |= 0x31;
    run_page(click_all);
    SettingsRecord expected = factory_record();
    expected.bytes[0] = expected.bytes[1] = expected.bytes[2] = 0;
    for (const std::size_t offset : {197u, 208u, 406u}) {
        std::fill_n(expected.bytes.begin() + static_cast<std::ptrdiff_t>(offset), 10, 0);
    }
    EXPECT_EQ(state.record, expected);
    EXPECT_TRUE(state.settings_modified);

    run_page(click_all);
    expected.bytes[0] = 0xFF;
    expected.bytes[1] = 0xC9;  // Code 128; UPCE, EAN 8 and EAN 13 No Addon
    expected.bytes[2] = 0x39;  // MSI, Plessey, EAN 128; UPCA No Addon
    EXPECT_EQ(state.record, expected);
    const std::vector<bool> shown = boxes_shown();
    EXPECT_TRUE(shown[10]);   // EAN 13
    EXPECT_FALSE(shown[16]);  // PDF 417
    EXPECT_EQ(shown, enabled_in_record());
}

TEST_F(SymbologyPage, UncheckingUpcaGreysItsButtonAtOnceAndClearsItsBitsOnlyOnOk) {
    state.record.set(Field::upca_addon_2, 1);
    for (const int button : {PSBTN_CANCEL, PSBTN_OK}) {
        bool button_enabled = true;
        run_page(
            [&](HWND page) {
                click(page, box_of(S::upca));
                button_enabled = enabled(page, button_of(S::upca));
            },
            button);
        EXPECT_FALSE(button_enabled);
        const bool kept = button == PSBTN_CANCEL;
        EXPECT_EQ(state.record.bytes[2] & 0x0E, kept ? 0x0C : 0x00) << button;
    }
}

// After a dialog the derived states are read again from the record; the others keep the box.
TEST_F(SymbologyPage, DerivedBoxesFollowTheirDialogs) {
    const struct {
        const char* what;
        Symbology symbology;
        std::vector<int> dialog_clicks;
        int dialog_button;
        bool box_after;
    } kCases[] = {
        {"UPCE with every add-on cleared", S::upce, {IDC_NO_ADDON}, IDOK, false},
        {"UPCE, cancelled", S::upce, {IDC_NO_ADDON}, IDCANCEL, true},
        {"EAN 8 with add-on 2 as well", S::ean_8, {IDC_ADDON_2}, IDOK, true},
        // MSI was checked on the page only: its dialog leaves the box as it is.
        {"MSI, not derived", S::msi, {IDC_MSI_VERIFICATION_FIRST + 1}, IDOK, true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        load_factory_defaults(state);
        bool box_after = !c.box_after, button_after = !c.box_after;
        run_page(
            [&](HWND page) {
                if (!checked(page, box_of(c.symbology))) {
                    click(page, box_of(c.symbology));
                }
                click(page, button_of(c.symbology));
                box_after = checked(page, box_of(c.symbology));
                button_after = enabled(page, button_of(c.symbology));
            },
            PSBTN_CANCEL,
            [&](ModalScript& script) {
                script.then(clicks_then(c.dialog_clicks, c.dialog_button));
            });
        EXPECT_EQ(box_after, c.box_after);
        EXPECT_EQ(button_after, c.box_after);
    }
}

TEST_F(SymbologyPage, APrefixPickedInTheGridReachesTheRecordOnlyOnOk) {
    for (const int button : {PSBTN_CANCEL, PSBTN_OK}) {
        load_factory_defaults(state);
        std::string shown;
        run_page(
            [&](HWND page) {
                click_at(GetDlgItem(page, IDC_PREFIX_CODE), {10, 5});
                shown = text_of(page, IDC_PREFIX_CODE);
            },
            button,
            [](ModalScript& script) {
                script.then([](HWND grid) {
                    click_grid_cell(grid, KeyStringForm::normal_key, kLetterA);
                    press_button(grid, IDOK);
                });
            });
        EXPECT_EQ(shown, "[A]");
        EXPECT_EQ(state.record.key_string(KeySlot::prefix_code)[0],
                  button == PSBTN_OK ? 0x41 : 0x00);
    }
}

// Reset writes every symbology field of the factory record at once, the dialogs' fields and key
// strings included, and keeps every other bit; the Code 39 dialog then shows its factory options.
TEST_F(SymbologyPage, ResetRestoresEverySymbologyFieldAndKeepsEveryOtherBit) {
    std::fill(state.record.bytes.begin(), state.record.bytes.begin() + 417, 0xA5);
    state.record.bytes[7] = 0x5A;
    state.settings_modified = false;
    const SettingsRecord before = state.record;
    std::vector<bool> code_39_options;
    std::string prefix_shown, suffix_shown;
    run_page(
        [&](HWND page) {
            click(page, IDC_SYMBOLOGY_RESET);
            prefix_shown = text_of(page, IDC_PREFIX_CODE);
            suffix_shown = text_of(page, IDC_SUFFIX_CODE);
            click(page, button_of(S::code_39));
        },
        PSBTN_CANCEL,
        [&](ModalScript& script) {
            script.then([&](HWND dialog) {
                for (const int id : {IDC_CODE39_FULL_ASCII, IDC_CODE39_TRANSMIT_START_STOP,
                                     IDC_CODE39_VERIFY_CHECKSUM, IDC_CODE39_TRANSMIT_CHECKSUM}) {
                    code_39_options.push_back(checked(dialog, id));
                }
                press_button(dialog, IDCANCEL);
            });
        });
    const SettingsRecord factory = factory_record();
    SettingsRecord expected = before;
    for (const std::size_t offset : {0, 1, 2, 5, 6, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19}) {
        expected.bytes[offset] = factory.bytes[offset];
    }
    expected.bytes[7] = 0x80 | (before.bytes[7] & 0x03);
    expected.bytes[11] = before.bytes[11] & 0x7F;
    expected.bytes[30] = (before.bytes[30] & 0xFC) | 0x01;
    for (const std::size_t offset : {164, 175, 186, 197, 208, 406}) {
        std::copy_n(factory.bytes.begin() + static_cast<std::ptrdiff_t>(offset), 11,
                    expected.bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    EXPECT_EQ(state.record, expected);
    EXPECT_TRUE(state.settings_modified);  // the record changed, Cancel or not
    EXPECT_EQ(prefix_shown, "");
    EXPECT_EQ(suffix_shown, "[Enter]");
    EXPECT_EQ(code_39_options, (std::vector<bool>{false, false, false, true}));
}

std::vector<std::string> changed_lines(const ProgramState& from, const ProgramState& to) {
    std::vector<std::string> lines;
    for (const SummaryDifference& d : diff_summaries(build_summary(from), build_summary(to))) {
        lines.push_back(d.a.value_or("") + " -> " + d.b.value_or(""));
    }
    return lines;
}

// A user configures Code 39 and MSI, enables MSI and picks a prefix: exactly those changes reach
// the record, the tree and the printed sheet.
TEST_F(SymbologyPage, ConfiguredSymbologiesAndAPrefixReachTheTreeAndTheSheet) {
    run_page(
        [](HWND page) {
            click(page, button_of(S::code_39));
            click(page, box_of(S::msi));
            click(page, button_of(S::msi));
            click_at(GetDlgItem(page, IDC_PREFIX_CODE), {10, 5});
        },
        PSBTN_OK,
        [](ModalScript& script) {
            script.then(clicks_then({IDC_CODE39_FULL_ASCII}));
            script.then([](HWND msi) {
                click(msi, IDC_MSI_VERIFICATION_FIRST + 1);  // "Double Modulo 10"
                retype(msi, IDC_LENGTH_1, "20");
                retype(msi, IDC_LENGTH_2, "50");
                press_button(msi, IDOK);
            });
            script.then([](HWND grid) {
                click_grid_cell(grid, KeyStringForm::normal_key, kLetterA);
                press_button(grid, IDOK);
            });
        });

    ProgramState factory;
    load_factory_defaults(factory);
    ProgramState expected = factory;
    expected.record.set(Field::code_39_full_ascii, 1);
    expected.record.set(Field::enable_msi, 1);
    expected.record.set(Field::msi_checksum_verification, 1);
    expected.record.set(Field::msi_length_1, 20);
    expected.record.set(Field::msi_length_2, 20);
    expected.record.key_string(KeySlot::prefix_code)[0] = 0x41;
    EXPECT_EQ(state.record, expected.record);

    EXPECT_EQ(summary_text(read_tree_view(GetDlgItem(window, IDC_TREE_VIEW))),
              summary_text(build_summary(state)));
    EXPECT_EQ(changed_lines(factory, state),
              (std::vector<std::string>{
                  "Prefix Code :  -> Prefix Code : [A]",
                  "Code 39 Full ASCII : Disable -> Code 39 Full ASCII : Enable",
                  "Disable MSI -> Enable MSI",
                  "Checksum Verification : Single Modulo 10 -> "
                  "Checksum Verification : Double Modulo 10",
                  "Max Length : 127 -> Max Length : 20",
                  "Min Length : 4 -> Min Length : 20",
              }));
    const std::string sheet = setup_sheet_text(state);
    EXPECT_EQ(sheet, setup_sheet_text(expected));
    for (const char* token :
         {"0273<Prefix Code>9904<0x04>9901<0x01>9994<Validate>", "0122<Full ASCII ON>",
          "0112<Enable>", "0168<Double Modulo 10>", "0222<Max Length>", "0223<Min Length>"}) {
        EXPECT_NE(sheet.find(token), std::string::npos) << token;
    }
}

}  // namespace
}  // namespace tessmar::test
