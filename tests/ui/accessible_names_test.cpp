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

// No name is asked of a frame without a caption, which names nothing, nor of the parts the
// system makes and names item by item: a sheet's tabs, a list's column headers.
bool needs_no_name(HWND control) {
    const std::string type = class_name(control);
    const bool frame = (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
    return (type == "Button" && frame && window_text(control).empty()) || type == "#32770" ||
           type == WC_TABCONTROLA || type == WC_HEADERA;
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
            unnamed.push_back(window_text(window) + ": " + std::to_string(GetDlgCtrlID(control)));
        }
    }
    return unnamed;
}

class AccessibleNames : public MainWindowTest {
  protected:
    PageContext context() { return {app.instance, app.state}; }

    // Runs `open`; in the window it opens, `read` reads what it needs, then no control may be
    // without a name.
    void check(const std::function<void()>& open, const std::function<void(HWND)>& read = {}) {
        ModalScript script;
        script.then([&](HWND opened) {
            if (read) {
                read(opened);
            }
            EXPECT_EQ(unnamed_controls(opened), std::vector<std::string>{});
            cancel_window(opened);
        });
        open();
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    }

    // Shows each tab, so that every page has made its controls, and reads `id` on tab `tab`.
    std::function<void(HWND)> every_tab(int tabs, int tab = 0, int id = 0) {
        return [=, this](HWND sheet) {
            for (int shown = 0; shown < tabs; ++shown) {
                show_tab(sheet, shown);
            }
            if (id != 0) {
                read(GetDlgItem(show_tab(sheet, tab), id));
            }
        };
    }

    // What a screen reader says of a control: its name, and its value when it has one.
    void read(HWND control) {
        const std::string value = accessible_value(control);
        said.push_back(accessible_name(control) + (value.empty() ? "" : " = " + value));
    }

    std::vector<std::string> said;
};

TEST_F(AccessibleNames, EveryControlHasANameAndThePaintedOnesSayWhatTheyHold) {
    constexpr int kReaderTabs = 6, kEditFormatTabs = 3, kCodeIdTab = 4, kTransmissionTab = 2;
    state.record.key_string(KeySlot::code_id_code_39)[0] = 'C';
    state.ef_staging[0][147] = 8;  // after the factory [F1]: [A2]
    check([&] { open_sheet(); }, every_tab(kReaderTabs, kCodeIdTab, IDC_CODE_ID_FIRST));
    check([&] { open_editing_format_sheet(context(), window); },
          every_tab(kEditFormatTabs, kTransmissionTab, IDC_SEQUENCE));
    check([&] { run_fields_parameters(window, context(), 2); },
          [&](HWND dialog) { read(GetDlgItem(dialog, IDC_TERMINATING_STRING)); });
    KeyGridState grid = open_key_grid(KeyStringBuffer{0x41}, InterfaceClass::keyboard_wedge, true);
    grid.selected = {4, 1};
    check([&] { run_key_grid(window, app.instance, grid, true); },
          [&](HWND dialog) {
              read(GetDlgItem(dialog, IDC_KEY_GRID));
              read(GetDlgItem(dialog, IDC_RESULTING_TEXT));
          });
    EXPECT_EQ(said,
              (std::vector<std::string>{"Code 39 code ID = [C]",
                                        "Transmission Sequence = Field 1, Additional Field 2",
                                        "Field 2 terminating string",
                                        "Key grid = Row 2, column 5, A", "Resulting text = [A]"}));

    for (const SymbologyDialog& dialog : symbology_dialogs()) {
        check([&] { run_symbology_dialog(window, context(), dialog); });
    }
    int port = 0;
    check([&] { choose_com_port(app.instance, window, port); });
    check([&] { show_about_box(app.instance, window); });
    RecordComparison differing;
    differing.lines.push_back({{"Scanner"}, "Timeout : %s", "Timeout : 5", "Timeout : 6"});
    check([&] { show_comparison(app.instance, window, differing); });
    const ProgressWindow progress(app.instance, window, TransferDirection::download);
    EXPECT_EQ(unnamed_controls(progress.window()), std::vector<std::string>{});
}

}  // namespace
}  // namespace tessmar::test
