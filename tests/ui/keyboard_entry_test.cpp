// A technician sets the scanner up by keyboard alone: Tab to a box, type its keys, open the grid
// with F4 or Alt+Down and pick there by keys, and close every window by its keys too.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/page_driver.h"
#include "tests/ui/support/tree_view_reader.h"

namespace tessmar::test {
namespace {

constexpr int kSymbologyTab = 2;
constexpr int kCodeIdTab = 4;
constexpr int kEditTab = 5;
constexpr int kTransmissionTab = 2;

std::vector<std::string> lines_of(const SummaryNode& node) {
    std::vector<std::string> lines{node.text};
    for (const SummaryNode& child : node.children) {
        const std::vector<std::string> below = lines_of(child);
        lines.insert(lines.end(), below.begin(), below.end());
    }
    return lines;
}

// Tabs to `id` and presses Space on it, as a user presses a button from the keyboard.
void press_by_keyboard(HWND dialog, int id) {
    ASSERT_TRUE(tab_to(dialog, id)) << id;
    press_key(GetFocus(), VK_SPACE);
}

class KeyboardEntry : public MainWindowTest {};

TEST_F(KeyboardEntry, ATechnicianSetsKeyStringsByKeyboardAlone) {
    const struct {
        const char* name;
        int tab;
        // What the technician does on the page, and in the windows it opens.
        std::function<void(HWND page)> keys;
        std::vector<ModalScript::Step> opened;
        std::vector<std::string> tree_lines;
    } runs[] = {
        {"a prefix with a shifted key from the grid, then a typed one",
         kSymbologyTab,
         [](HWND page) {
             ASSERT_TRUE(tab_to(page, IDC_PREFIX_CODE));
             press_key(GetFocus(), VK_F4);
             type_text(GetFocus(), "B");
         },
         {[](HWND grid) {
             press_by_keyboard(grid, IDC_ADD_SHIFT);
             ASSERT_TRUE(tab_to(grid, IDC_KEY_GRID));
             type_text(GetFocus(), "A");
             press_key(GetFocus(), VK_RETURN);
         }},
         {"Prefix Code : [Shift][A][B]"}},
        {"a code ID typed, a slip taken back, the grid opened and left",
         kCodeIdTab,
         [](HWND page) {
             ASSERT_TRUE(tab_to(page, IDC_CODE_ID_FIRST));
             type_text(GetFocus(), "AX");
             press_key(GetFocus(), VK_BACK);
             press_alt_key(GetFocus(), VK_DOWN);
         },
         {[](HWND) { press_key(GetFocus(), VK_ESCAPE); }},
         {"Code 39 : [A]"}},
        {"a substitution typed into both boxes",
         kEditTab,
         [](HWND page) {
             ASSERT_TRUE(tab_to(page, IDC_STRING_TO_BE_REPLACED_FIRST));
             type_text(GetFocus(), "ab");
             ASSERT_TRUE(tab_to(page, IDC_REPLACED_BY_FIRST));
             type_text(GetFocus(), "c");
         },
         {},
         {"String to be Replaced : [a][b]", "Relplaced By : [c]"}},
        {"a transmission sequence started afresh: three tokens, a fourth taken back",
         kEditTab,
         [](HWND page) { press_by_keyboard(page, IDC_CONFIGURE_FORMAT_FIRST); },
         {[](HWND sheet) {
             HWND page = show_tab(sheet, kTransmissionTab);
             for (const int token : {IDC_SEQUENCE_CLEAR, 201, 207, 211}) {
                 press_by_keyboard(page, token);
             }
             press_key(GetFocus(), VK_BACK);
             press_by_keyboard(page, 202);
             ASSERT_TRUE(tab_to(sheet, IDOK));
             press_key(GetFocus(), VK_RETURN);
         }},
         {"Transmission Sequence : [F1][A1][F2]"}},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.name);
        load_factory_defaults(state);
        ModalScript script;
        script.then([&](HWND sheet) {
            run.keys(show_tab(sheet, run.tab));
            ASSERT_TRUE(tab_to(sheet, IDOK));
            press_key(GetFocus(), VK_RETURN);
        });
        for (const ModalScript::Step& step : run.opened) {
            script.then(step);
        }
        open_sheet();
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        const std::vector<std::string> lines = lines_of(read_tree_view(app.tree_view));
        for (const std::string& expected : run.tree_lines) {
            EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
        }
    }
}

}  // namespace
}  // namespace tessmar::test
