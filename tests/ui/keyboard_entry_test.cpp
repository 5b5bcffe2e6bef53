// A technician sets the scanner up by keyboard alone: Tab to a box, type its keys, open the grid
// with F4 or Alt+Down and pick there by keys, and close every window by its keys too.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <deque>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
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

// Presses one key of a walk as a user does ("Tab", "Alt+V", "Ctrl+Shift+Tab", "Enter", or a
// character alone), with its modifiers held as the system holds them: into the window in front
// through its dialog manager, or into the main window through its accelerators.
void press_walk_key(std::string word, HWND main_window) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    for (const auto& [prefix, key] :
         {std::pair{"Ctrl+", VK_CONTROL}, {"Shift+", VK_SHIFT}, {"Alt+", VK_MENU}}) {
        const bool held = word.size() > 1 && word.starts_with(prefix);
        state[key] = held ? 0x80 : 0;
        word.erase(0, held ? std::string(prefix).size() : 0);
    }
    SetKeyboardState(state);
    const std::map<std::string, int> named = {
        {"Tab", VK_TAB}, {"Enter", VK_RETURN}, {"Space", VK_SPACE}};
    const int key =
        named.contains(word) ? named.at(word) : std::toupper(static_cast<unsigned char>(word[0]));
    if (GetActiveWindow() != main_window) {
        (state[VK_MENU] ? press_alt_key : press_key)(GetFocus(), key);
        return;
    }
    HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), "TESSM");
    PostMessageA(main_window, WM_KEYDOWN, key, 1);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!TranslateAcceleratorA(main_window, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// Presses a walk's keys in the window in front until the "|" that ends that window's keys.
void press_until_closed(std::deque<std::string>& words, HWND main_window) {
    while (!words.empty()) {
        const std::string word = words.front();
        words.pop_front();
        if (word == "|") {
            break;
        }
        press_walk_key(word, main_window);
    }
    BYTE released[256] = {};
    SetKeyboardState(released);
}

// A new user's tasks by keyboard alone from the main window, every key in the data (6, 16 and 21
// keys): a key wasted again (the focus left on a hidden tab, Enter that opens a dialog again or
// adds a token rather than pressing OK, a lost access key) breaks its walk.
TEST_F(KeyboardEntry, EachTaskTakesFewKeysFromTheMainWindow) {
    const struct {
        const char* name;
        const char* keys;  // each window's, up to the "|" that closes it
        std::vector<std::string> tree_lines;
    } walks[] = {
        {"the Code 128 code ID",
         "Ctrl+C Ctrl+Shift+Tab Ctrl+Shift+Tab Alt+8 X Enter",
         {"Code 128 : [x]"}},
        {"Interleave 25 at fixed lengths 10 and 14",
         "Ctrl+C Ctrl+Tab Ctrl+Tab Alt+V Alt+V Tab Space Alt+F Tab 1 4 Tab 1 0 Enter | Enter",
         {"Enable Interleave 25", "Select Fixed Length Qualification", "Fixed Length 1 : 14",
          "Fixed Length 2 : 10"}},
        {"editing format 1 for Code 128 alone, field 1 of 4 characters, sent as [F2][F1]",
         "Ctrl+C Ctrl+Shift+Tab Alt+1 Tab Space Alt+R Alt+8 Ctrl+Tab Alt+N 2 Alt+1 Alt+L Tab 4 "
         "Enter | Ctrl+Tab Alt+C Alt+2 Alt+1 Enter | Enter",
         {"Enable Editing Format 1", "UPCA Addon 5 : Disable", "Number of Fields : 2",
          "Divide Field by Field Length", "Field Length : 4", "Transmission Sequence : [F2][F1]"}},
    };
    for (const auto& walk : walks) {
        SCOPED_TRACE(walk.name);
        load_factory_defaults(state);
        std::istringstream text(walk.keys);
        std::deque<std::string> words{std::istream_iterator<std::string>(text), {}};
        ModalScript script;
        for (auto windows = std::count(words.begin(), words.end(), "|") + 1; windows > 0;
             --windows) {
            // A window opened with no keys left is a wrong turn: closed, so the walk fails.
            script.then([&](HWND opened) {
                words.empty() ? cancel_window(opened) : press_until_closed(words, window);
            });
        }
        press_until_closed(words, window);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        const std::vector<std::string> lines = lines_of(read_tree_view(app.tree_view));
        for (const std::string& expected : walk.tree_lines) {
            EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
        }
    }
}

}  // namespace
}  // namespace tessmar::test
