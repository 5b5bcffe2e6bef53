// Every control of every page and dialog has a name a screen reader can say, and the painted
// controls also say what they hold.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "app/compare_dialog.h"
#include "link/ui/port_dialog.h"
#include "link/ui/progress_window.h"
#include "pages/ui/editing_format_sheet.h"
#include "pages/ui/fields_parameters_dialog.h"
#include "pages/ui/key_grid_dialog.h"
#include "pages/ui/symbology_dialogs.h"
#include "resources/resource.h"
#include "tests/ui/support/accessibility_reader.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/page_driver.h"

namespace tessmar::test {
namespace {

constexpr int kReaderTabs = 6;
constexpr int kCodeIdTab = 4;
constexpr int kEditTab = 5;
constexpr int kEditingFormatTabs = 3;
constexpr int kTransmissionTab = 2;

// What no name is asked of: a frame with no caption, which names nothing and is nothing a user
// acts on; and the parts the system makes and names item by item, a sheet's tabs and a list's
// column headers.
bool needs_no_name(HWND control) {
    const std::string type = class_name(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const bool bare_frame =
        type == "Button" && (style & BS_TYPEMASK) == BS_GROUPBOX && window_text(control).empty();
    return bare_frame || type == "#32770" || type == WC_TABCONTROLA || type == WC_HEADERA;
}

// The controls of `window`, pages included, that a screen reader would find no name for.
std::vector<std::string> unnamed_controls(HWND window) {
    std::vector<HWND> controls;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM found) {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    std::vector<std::string> unnamed;
    for (HWND control : controls) {
        if (!needs_no_name(control) && accessible_name(control).empty()) {
            unnamed.push_back(window_text(GetAncestor(control, GA_ROOT)) + ": " +
                              class_name(control) + " " + std::to_string(GetDlgCtrlID(control)));
        }
    }
    return unnamed;
}

class AccessibleNames : public MainWindowTest {
  protected:
    PageContext context() { return {app.instance, app.state}; }

    // Runs `open`, and checks the window it opens, once `prepare` has shown what it hides.
    void check(const std::function<void()>& open,
               const std::function<void(HWND window)>& prepare = {}) {
        ModalScript script;
        script.then([&](HWND opened) {
            if (prepare) {
                prepare(opened);
            }
            unnamed = unnamed_controls(opened);
            cancel_window(opened);
        });
        open();
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        EXPECT_EQ(unnamed, std::vector<std::string>{});
    }

    std::vector<std::string> unnamed;
};

// Each tab shown, so that every page has made its controls.
std::function<void(HWND)> every_tab(int tabs) {
    return [tabs](HWND sheet) {
        for (int tab = 0; tab < tabs; ++tab) {
            show_tab(sheet, tab);
        }
    };
}

TEST_F(AccessibleNames, EveryControlOfEveryPageAndDialogHasAName) {
    check([&] { open_sheet(); }, every_tab(kReaderTabs));
    check([&] { open_editing_format_sheet(context(), window); }, every_tab(kEditingFormatTabs));
    check([&] { run_fields_parameters(window, context(), 2); });
    for (const SymbologyDialog& dialog : symbology_dialogs()) {
        SCOPED_TRACE(symbology_info(dialog.symbology).name);
        check([&] { run_symbology_dialog(window, context(), dialog); });
    }
    KeyGridState grid = open_key_grid(KeyStringBuffer{}, InterfaceClass::keyboard_wedge, true);
    check([&] { run_key_grid(window, app.instance, grid, true); });
    int port = 0;
    check([&] { choose_com_port(app.instance, window, port); });
    check([&] { show_about_box(app.instance, window); });
    RecordComparison differing;
    differing.lines.push_back({{"Scanner"}, "Timeout : %s", "Timeout : 5", "Timeout : 6"});
    check([&] { show_comparison(app.instance, window, differing); });
    const ProgressWindow progress(app.instance, window, TransferDirection::download);
    EXPECT_EQ(unnamed_controls(progress.window()), std::vector<std::string>{});
}

// Where a key box's label says too little, its name says what it holds.
TEST_F(AccessibleNames, KeyBoxesWithoutATellingLabelAreNamedForWhatTheyHold) {
    std::vector<std::string> names;
    check([&] { open_sheet(); },
          [&](HWND sheet) {
              HWND code_id = show_tab(sheet, kCodeIdTab);
              names.push_back(accessible_name(GetDlgItem(code_id, IDC_CODE_ID_FIRST)));
              HWND edit = show_tab(sheet, kEditTab);
              for (const int id : {IDC_STRING_TO_BE_REPLACED_FIRST, IDC_REPLACED_BY_FIRST + 5}) {
                  names.push_back(accessible_name(GetDlgItem(edit, id)));
              }
          });
    check([&] { run_fields_parameters(window, context(), 2); },
          [&](HWND dialog) {
              names.push_back(accessible_name(GetDlgItem(dialog, IDC_TERMINATING_STRING)));
          });
    EXPECT_EQ(names, (std::vector<std::string>{"Code 39 code ID", "String 1 to be replaced",
                                               "Replacement 6", "Field 2 terminating string"}));
}

// The grid says which cell is selected, and the sequence which tokens it holds, in words.
TEST_F(AccessibleNames, ThePaintedControlsSayWhatTheyHold) {
    std::string grid_value, result_value;
    KeyGridState grid = open_key_grid(KeyStringBuffer{0x41}, InterfaceClass::keyboard_wedge, true);
    grid.selected = {4, 1};
    check([&] { run_key_grid(window, app.instance, grid, true); },
          [&](HWND dialog) {
              grid_value = accessible_value(GetDlgItem(dialog, IDC_KEY_GRID));
              result_value = accessible_value(GetDlgItem(dialog, IDC_RESULTING_TEXT));
          });
    EXPECT_EQ(grid_value, "Row 2, column 5, A");
    EXPECT_EQ(result_value, "[A]");

    std::string sequence_value;
    state.ef_staging[0][146] = 1;
    state.ef_staging[0][147] = 8;
    check([&] { open_editing_format_sheet(context(), window); },
          [&](HWND sheet) {
              HWND page = show_tab(sheet, kTransmissionTab);
              sequence_value = accessible_value(GetDlgItem(page, IDC_SEQUENCE));
          });
    EXPECT_EQ(sequence_value, "Field 1, Additional Field 2");
}

}  // namespace
}  // namespace tessmar::test
