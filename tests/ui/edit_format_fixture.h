// The Edit page and the editing-format sheet it opens, driven through the real nested modal
// windows: Reader Settings, then Configure Editing Format, then Fields Parameters, then the grid.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "summary/summary_tree.h"
#include "tests/ui/support/key_grid_driver.h"
#include "tests/ui/support/sheet_page_fixture.h"
#include "tests/ui/support/page_driver.h"
#include "tests/ui/support/tree_view_reader.h"

namespace tessmar::test {

// The tabs of "Configure Editing Format".
constexpr int kApplicableTab = 0;
constexpr int kFieldSettingsTab = 1;
constexpr int kTransmissionTab = 2;

// Keys of the normal-key grid: "A" (0x41) and "," (0x2C).
constexpr KeyGridCell kLetterA{4, 1};
constexpr KeyGridCell kComma{2, 12};

constexpr int configure_button(int format) {
    return IDC_CONFIGURE_FORMAT_FIRST + format - 1;
}

constexpr int kEditFormatTab = 5;

class EditFormat : public SheetPageTest {
  protected:
    EditFormat() : SheetPageTest(kEditFormatTab) {}

    // Opens Reader Settings, presses "Configure..." of `format` and lets `act` work on the
    // editing-format sheet, which `button` then closes; Reader Settings closes by
    // `reader_button`. `more` answers what `act` opens.
    void configure(int format, const std::function<void(HWND sheet)>& act, int button = PSBTN_OK,
                   int reader_button = PSBTN_OK,
                   const std::function<void(ModalScript&)>& more = {}) {
        run_page([&](HWND page) { click(page, configure_button(format)); }, reader_button,
                 [&](ModalScript& script) {
                     script.then(on_format_sheet(act, button));
                     if (more) {
                         more(script);
                     }
                 });
    }

    // A step for "Configure Editing Format": `act` works on it, then `button` closes it.
    static ModalScript::Step on_format_sheet(std::function<void(HWND sheet)> act,
                                             int button = PSBTN_OK) {
        return [act, button](HWND sheet) {
            act(sheet);
            press_sheet_button(sheet, button);
        };
    }

    // A step for the key grid: picks the key of `cell` in normal-key form and presses OK.
    static ModalScript::Step pick_in_grid(KeyGridCell cell) {
        return [cell](HWND grid) {
            click_grid_cell(grid, KeyStringForm::normal_key, cell);
            press_button(grid, IDOK);
        };
    }

    std::string tree_text() const {
        return summary_text(read_tree_view(GetDlgItem(window, IDC_TREE_VIEW)));
    }
};

}  // namespace tessmar::test
