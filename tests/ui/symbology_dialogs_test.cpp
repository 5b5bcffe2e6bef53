// The fifteen symbology parameter dialogs, walked from their tables, and the rules of the length
// qualification and of radio values that have no radio.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <ostream>

#include "pages/ui/symbology_dialogs.h"
#include "resources/resource.h"
#include "tests/ui/support/key_grid_driver.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/page_driver.h"

namespace tessmar {

// Names a dialog in the test's output by its symbology.
void PrintTo(const SymbologyDialog& dialog, std::ostream* out) {
    *out << symbology_info(dialog.symbology).name;
}

namespace test {
namespace {

// Runs the dialogs straight over the main window, as the Symbology page runs them over itself.
class DialogTest : public MainWindowTest {
  protected:
    // Opens `dialog`, lets `act` work on it, then presses `button`; returns the dialog's result.
    // `more` answers what the dialog opens in turn.
    bool run_dialog(const SymbologyDialog& dialog, const std::function<void(HWND)>& act,
                    int button = IDOK, const std::function<void(ModalScript&)>& more = {}) {
        ModalScript script;
        script.then([&](HWND window) {
            act(window);
            press_button(window, button);
        });
        if (more) {
            more(script);
        }
        const bool result = run_symbology_dialog(window, {app.instance, &state}, dialog);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        return result;
    }

    bool run_dialog(Symbology symbology, const std::function<void(HWND)>& act, int button = IDOK) {
        return run_dialog(*symbology_dialog(symbology), act, button);
    }
};

// The dialog's length qualification, bound with its other controls; null when it has none.
const FieldBinding* length_pair_of(const SymbologyDialog& dialog) {
    for (const FieldBinding& binding : dialog.controls.fields) {
        if (binding.kind == ControlKind::length_pair) {
            return &binding;
        }
    }
    return nullptr;
}

class DialogTable : public DialogTest, public ::testing::WithParamInterface<SymbologyDialog> {};

// Every dialog from its table: its caption, each check box on its own bit, each radio on its
// group's field, and Cancel writing nothing. None of them marks the document modified.
TEST_P(DialogTable, EachControlWritesItsOwnFieldAndCancelWritesNothing) {
    const SymbologyDialog& dialog = GetParam();
    std::string caption;
    run_dialog(dialog, [&](HWND window) { caption = window_text(window); });
    EXPECT_EQ(caption, std::string(symbology_info(dialog.symbology).name) + " Parameters");
    EXPECT_EQ(state.record, factory_record()) << "OK with nothing changed";

    for (const FieldBinding& binding : dialog.controls.fields) {
        if (binding.kind == ControlKind::length_pair) {
            continue;  // its own test follows
        }
        const SettingsRecord factory = factory_record();
        const unsigned stored = factory.get(binding.field);
        const int choices = binding.kind == ControlKind::radio_group ? binding.radios : 1;
        for (int choice = 0; choice < choices; ++choice) {
            SCOPED_TRACE(::testing::Message() << "control " << binding.control + choice);
            state.record = factory;
            bool shown = false;
            const bool ok = run_dialog(dialog, [&](HWND window) {
                shown = checked(window, binding.control + choice);
                click(window, binding.control + choice);
            });
            SettingsRecord expected = factory;
            if (binding.kind == ControlKind::radio_group) {
                EXPECT_EQ(shown, static_cast<unsigned>(choice) == stored);
                expected.set(binding.field, static_cast<unsigned>(choice));
            } else {
                EXPECT_EQ(shown, stored == 1);
                expected.set(binding.field, stored ^ 1u);
            }
            EXPECT_TRUE(ok);
            EXPECT_EQ(state.record, expected);
        }
    }

    state.record = factory_record();
    const bool ok = run_dialog(
        dialog,
        [&](HWND window) {
            for (const FieldBinding& binding : dialog.controls.fields) {
                const bool radios = binding.kind == ControlKind::radio_group;
                if (binding.kind != ControlKind::length_pair) {
                    click(window, radios ? binding.control + binding.radios - 1 : binding.control);
                }
            }
            if (const FieldBinding* lengths = length_pair_of(dialog)) {
                click(window, lengths->control);
                retype(window, IDC_LENGTH_1, "9");
                retype(window, IDC_LENGTH_2, "");
            }
        },
        IDCANCEL);
    EXPECT_FALSE(ok);
    EXPECT_EQ(state.record, factory_record()) << "Cancel";
    EXPECT_FALSE(state.settings_modified);
}

std::string dialog_name(const ::testing::TestParamInfo<SymbologyDialog>& info) {
    std::string name = symbology_info(info.param.symbology).name;
    std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
    return name;
}

INSTANTIATE_TEST_SUITE_P(All, DialogTable, ::testing::ValuesIn(symbology_dialogs()), dialog_name);

// Typing into a length box: what OK stores, and what the boxes show meanwhile.
TEST_F(DialogTest, LengthBoxesAreCorrectedAsTypedAndClampedOnOk) {
    const struct {
        const char* what;
        const char* first;
        const char* second;
        const char* shown_first;
        const char* shown_second;
        unsigned stored_first;
        unsigned stored_second;
    } kCases[] = {
        {"a first above 127", "200", "4", "200", "4", 127, 4},
        {"a second above the first", "20", "50", "20", "50", 20, 20},
        {"both cleared", "", "", "", "", 127, 1},
        {"a letter typed is refused", "3x", "4a", "3", "4", 3, 3},
        {"zeros", "0", "0", "0", "0", 1, 1},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        load_factory_defaults(state);
        std::string shown_first, shown_second;
        run_dialog(Symbology::industrial_25, [&](HWND window) {
            retype(window, IDC_LENGTH_1, c.first);
            retype(window, IDC_LENGTH_2, c.second);
            shown_first = text_of(window, IDC_LENGTH_1);
            shown_second = text_of(window, IDC_LENGTH_2);
        });
        EXPECT_EQ(shown_first, c.shown_first);
        EXPECT_EQ(shown_second, c.shown_second);
        EXPECT_EQ(state.record.bytes[12], 0x80 | c.stored_first);  // the mode stays Max / Min
        EXPECT_EQ(state.record.bytes[13], c.stored_second);
    }
}

// Each length dialog on its own bytes, in each mode: the labels follow the radios, and OK writes
// the mode with the first length.
TEST_F(DialogTest, LengthLabelsFollowTheModeInEveryLengthDialog) {
    const struct {
        Symbology symbology;
        std::size_t first_byte;
    } kDialogs[] = {{Symbology::industrial_25, 12},
                    {Symbology::interleave_25, 14},
                    {Symbology::matrix_25, 16},
                    {Symbology::msi, 18}};
    for (const auto& d : kDialogs) {
        for (const std::uint8_t stored : {std::uint8_t{0x14}, std::uint8_t{0x94}}) {
            SCOPED_TRACE(::testing::Message()
                         << symbology_info(d.symbology).name << " " << +stored);
            load_factory_defaults(state);
            state.record.bytes[d.first_byte] = stored;
            state.record.bytes[d.first_byte + 1] = 7;
            const SymbologyDialog& dialog = *symbology_dialog(d.symbology);
            const int fixed = length_pair_of(dialog)->control;
            const bool fixed_mode = (stored & 0x80) == 0;
            bool fixed_checked = false, max_min_checked = false;
            std::string labels_at_open, labels_after_click, first_text, second_text;
            run_dialog(dialog, [&](HWND window) {
                fixed_checked = checked(window, fixed);
                max_min_checked = checked(window, fixed + 1);
                labels_at_open =
                    text_of(window, IDC_LENGTH_1_LABEL) + "|" + text_of(window, IDC_LENGTH_2_LABEL);
                first_text = text_of(window, IDC_LENGTH_1);
                second_text = text_of(window, IDC_LENGTH_2);
                click(window, fixed_mode ? fixed + 1 : fixed);
                labels_after_click =
                    text_of(window, IDC_LENGTH_1_LABEL) + "|" + text_of(window, IDC_LENGTH_2_LABEL);
            });
            const std::string fixed_labels = "Fixed Len&gth 1:|F&ixed Length 2:";
            const std::string max_min_labels = "Max Len&gth :|M&in Length :";
            EXPECT_EQ(fixed_checked, fixed_mode);
            EXPECT_EQ(max_min_checked, !fixed_mode);
            EXPECT_EQ(first_text, "20");
            EXPECT_EQ(second_text, "7");
            EXPECT_EQ(labels_at_open, fixed_mode ? fixed_labels : max_min_labels);
            EXPECT_EQ(labels_after_click, fixed_mode ? max_min_labels : fixed_labels);
            EXPECT_EQ(state.record.bytes[d.first_byte], stored ^ 0x80);
            EXPECT_EQ(state.record.bytes[d.first_byte + 1], 7);
        }
    }
}

// A two-bit field that holds 3 has no radio: none shows checked, and OK writes 3 back unless a
// radio was picked.
TEST_F(DialogTest, AValueWithoutARadioShowsNoneAndIsKeptUnlessOneIsPicked) {
    const struct {
        Symbology symbology;
        Field field;
        int first_radio;
        int radios;
    } kGroups[] = {
        {Symbology::msi, Field::msi_checksum_verification, IDC_MSI_VERIFICATION_FIRST, 3},
        {Symbology::msi, Field::msi_checksum_transmission, IDC_MSI_TRANSMISSION_FIRST, 3},
        {Symbology::industrial_25, Field::industrial_25_start_stop_selection,
         IDC_25_START_STOP_FIRST, 3},
    };
    for (const auto& g : kGroups) {
        for (const int picked : {-1, 1}) {
            SCOPED_TRACE(::testing::Message() << g.first_radio << " picked " << picked);
            load_factory_defaults(state);
            state.record.set(g.field, 3);
            int checked_radios = -1;
            run_dialog(g.symbology, [&](HWND window) {
                checked_radios = 0;
                for (int i = 0; i < g.radios; ++i) {
                    checked_radios += checked(window, g.first_radio + i) ? 1 : 0;
                }
                if (picked >= 0) {
                    click(window, g.first_radio + picked);
                }
            });
            EXPECT_EQ(checked_radios, 0);
            EXPECT_EQ(state.record.get(g.field), picked >= 0 ? 1u : 3u);
        }
    }
}

// The PDF 417 dialog edits copies of its three strings through the grid: OK writes them, Cancel
// drops them.
TEST_F(DialogTest, KeyBoxesEditCopiesThatOnlyOkWrites) {
    for (const int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button);
        load_factory_defaults(state);
        std::string escape_text, prefix_text;
        run_dialog(
            *symbology_dialog(Symbology::pdf417),
            [&](HWND window) {
                escape_text = text_of(window, IDC_PDF417_ESCAPE_CHARACTER);
                click_at(GetDlgItem(window, IDC_PDF417_PREFIX_CODE), {10, 5});
                prefix_text = text_of(window, IDC_PDF417_PREFIX_CODE);
            },
            button,
            [](ModalScript& script) {
                script.then([](HWND grid) {
                    click_grid_cell(grid, KeyStringForm::normal_key, {4, 1});  // "A"
                    press_button(grid, IDOK);
                });
            });
        EXPECT_EQ(escape_text, "[\\]");
        EXPECT_EQ(prefix_text, "[A]");
        const KeyString prefix = state.record.key_string(KeySlot::pdf417_prefix_code);
        EXPECT_EQ(prefix[0], button == IDOK ? 0x41 : 0x00);
        EXPECT_EQ(prefix[1], 0x00);
    }
}

}  // namespace
}  // namespace test
}  // namespace tessmar
