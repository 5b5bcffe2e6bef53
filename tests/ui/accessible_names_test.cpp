// Every control of every page and dialog has a name a screen reader can say, and the painted
// controls and the key boxes whose labels say too little also say what they hold.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "link/ui/progress_window.h"
#include "pages/key_grid_keyboard.h"
#include "resources/resource.h"
#include "tests/ui/support/accessibility_reader.h"
#include "tests/ui/support/every_window_fixture.h"
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

std::vector<std::string> unnamed_controls(HWND window) {
    std::vector<std::string> unnamed;
    for (HWND control : descendant_windows(window)) {
        if (!needs_no_name(control) && accessible_name(control).empty()) {
            unnamed.push_back(window_text(window) + ": " + std::to_string(GetDlgCtrlID(control)));
        }
    }
    return unnamed;
}

class AccessibleNames : public EveryWindowTest {};

TEST_F(AccessibleNames, EveryControlOfEveryPageAndDialogHasAName) {
    on_every_window(
        [](HWND window) { EXPECT_EQ(unnamed_controls(window), std::vector<std::string>{}); });
    const ProgressWindow progress(app.instance, window, TransferDirection::download);
    EXPECT_EQ(unnamed_controls(progress.window()), std::vector<std::string>{});
}

TEST_F(AccessibleNames, PaintedControlsAndKeyBoxesSayWhatTheyHold) {
    state.record.key_string(KeySlot::code_id_code_39)[0] = 'C';
    state.record.key_string(KeySlot::prefix_code)[0] = 'A';
    state.record.edit_format(0).bytes()[147] = 8;  // after the factory [F1]: [A2]
    // In the order the windows are visited.
    const struct {
        const char* window;
        int control;
    } reads[] = {{"page Code ID", IDC_CODE_ID_FIRST},
                 {"key grid", IDC_KEY_GRID},
                 {"key grid", IDC_RESULTING_TEXT},
                 {"page Transmission Sequence", IDC_SEQUENCE},
                 {"Fields Parameters", IDC_TERMINATING_STRING}};
    std::vector<std::string> said;
    for (const Opener& opener : every_window()) {
        for (const auto& read : reads) {
            if (opener.name != read.window) {
                continue;
            }
            opener.open(*this, [&](HWND window) {
                HWND page = current_page(window);
                HWND control = GetDlgItem(page ? page : window, read.control);
                const std::string value = accessible_value(control);
                said.push_back(accessible_name(control) + (value.empty() ? "" : " = " + value));
            });
        }
    }
    EXPECT_EQ(
        said,
        (std::vector<std::string>{
            "Code 39 code ID = [C]", "Key grid = Row 1, column 1, no key", "Resulting text = [A]",
            "Transmission Sequence = Field 1, Additional Field 2", "Field 1 terminating string"}));
}

// The states a reader acts on; whether the control has the focus depends on how it was opened.
std::vector<AccessibleElement> as_read(std::vector<AccessibleElement> elements) {
    for (AccessibleElement& element : elements) {
        element.state &= STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE |
                         STATE_SYSTEM_SELECTED;
    }
    return elements;
}

// A reader meets the key grid as a table of cells named row by row, the selected one current,
// and the transmission sequence as a list of its tokens: both to be operated, not read.
TEST_F(AccessibleNames, TheKeyGridIsATableOfCellsAndTheSequenceAListOfTokens) {
    state.record.edit_format(0).bytes()[147] = 8;  // after the factory [F1]: [A2]
    constexpr long kPart = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    std::vector<AccessibleElement> grid{{ROLE_SYSTEM_TABLE, "Key grid", STATE_SYSTEM_FOCUSABLE}};
    for (int row = 0; row < kKeyGridRows; ++row) {
        for (int column = 0; column < key_grid_columns(KeyStringForm::normal_key); ++column) {
            const KeyGridCell cell{column, row};
            grid.push_back({ROLE_SYSTEM_CELL,
                            key_grid_cell_description(KeyStringForm::normal_key, cell),
                            kPart | (row == 0 && column == 0 ? STATE_SYSTEM_SELECTED : 0)});
        }
    }
    const struct {
        const char* window;
        int control;
        std::vector<AccessibleElement> expected;
    } kReads[] = {
        {"key grid", IDC_KEY_GRID, grid},
        {"page Transmission Sequence",
         IDC_SEQUENCE,
         {{ROLE_SYSTEM_LIST, "Transmission Sequence", STATE_SYSTEM_FOCUSABLE},
          {ROLE_SYSTEM_LISTITEM, "Field 1", kPart},
          {ROLE_SYSTEM_LISTITEM, "Additional Field 2", kPart}}},
    };
    for (const Opener& opener : every_window()) {
        for (const auto& read : kReads) {
            if (opener.name != read.window) {
                continue;
            }
            SCOPED_TRACE(read.window);
            opener.open(*this, [&](HWND window) {
                HWND page = current_page(window);
                HWND control = GetDlgItem(page ? page : window, read.control);
                EXPECT_EQ(as_read(accessible_elements(control)), read.expected);
            });
        }
    }
}

}  // namespace
}  // namespace tessmar::test
