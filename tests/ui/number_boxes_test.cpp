// The number boxes of the pages and dialogs: a letter is refused as typed, and a number above the
// box's range shows, once the box is left, as what OK stores.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/page_driver.h"

namespace tessmar::test {
namespace {

constexpr int kSymbologyTab = 2;
constexpr int kEditFormatTab = 5;
constexpr int kIndustrial25Configure = IDC_SYMBOLOGY_FIRST + 3 + IDC_CONFIGURE_OFFSET;

struct Row {
    const char* name;
    int tab;
    int configure;  // the button that opens the box's dialog or sheet; 0 for a box on the page
    int inner_tab;  // the editing-format sheet's tab
    int box;
    const char* typed;
    const char* shown;
};

const Row kRows[] = {
    {"timeout", 0, 0, 0, IDC_SCANNER_TIMEOUT, "305x", "255"},
    {"length", kSymbologyTab, kIndustrial25Configure, 0, IDC_LENGTH_1, "2x00", "127"},
    {"minimum length", kEditFormatTab, IDC_CONFIGURE_FORMAT_FIRST, 0, IDC_MINIMUM_LENGTH, "70000",
     "65535"},
    {"number of fields", kEditFormatTab, IDC_CONFIGURE_FORMAT_FIRST, 1, IDC_NUMBER_OF_FIELDS, "9",
     "6"},
};

// Types over the box's text as a user does, then leaves it with Tab; returns what it shows.
std::string type_and_leave(HWND dialog, int box, const char* typed) {
    HWND edit = GetDlgItem(dialog, box);
    SetFocus(edit);
    Edit_SetSel(edit, 0, -1);
    type_text(edit, typed);
    press_key(edit, VK_TAB);
    return window_text(edit);
}

using NumberBoxes = MainWindowTest;

TEST_F(NumberBoxes, ANumberAboveTheRangeShowsAsStoredOnceTheBoxIsLeft) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        std::string shown;
        ModalScript script;
        script.then([&](HWND sheet) {
            HWND page = show_tab(sheet, row.tab);
            if (row.configure == 0) {
                shown = type_and_leave(page, row.box, row.typed);
            } else {
                click(page, row.configure);
            }
            press_sheet_button(sheet, PSBTN_OK);
        });
        if (row.configure == kIndustrial25Configure) {
            script.then([&](HWND dialog) {
                shown = type_and_leave(dialog, row.box, row.typed);
                press_button(dialog, IDOK);
            });
        } else if (row.configure != 0) {
            script.then([&](HWND format_sheet) {
                shown = type_and_leave(show_tab(format_sheet, row.inner_tab), row.box, row.typed);
                press_sheet_button(format_sheet, PSBTN_OK);
            });
        }
        open_sheet();
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        EXPECT_EQ(shown, row.shown);
    }
}

}  // namespace
}  // namespace tessmar::test
