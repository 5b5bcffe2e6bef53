// Every page and dialog by keyboard, with keys taken through the dialog manager as a user's are:
// Tab reaches every control that can take the focus, the arrows move within a radio group, Enter
// presses the default button and Esc cancels.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/ui/support/every_window_fixture.h"
#include "tests/ui/support/page_driver.h"

namespace tessmar::test {
namespace {

bool is_radio(HWND control) {
    const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    return class_name(control) == "Button" &&
           (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

// Controls a user can put the focus on; radios are counted by their group.
bool takes_focus(HWND control) {
    const std::string name = class_name(control);
    if (name == "Button") {
        return (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
    }
    return name == "Edit" || name == "ComboBox" || name == "SysListView32" ||
           name == "SysTabControl32" || name == "ListBox";
}

bool usable(HWND control) {
    return IsWindowVisible(control) && IsWindowEnabled(control);
}

std::string describe(HWND control) {
    return class_name(control) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" +
           window_text(control) + "\"";
}

// The focus as the user sees it: a combo box's own edit box stands for the combo box.
HWND focused_control() {
    HWND focus = GetFocus();
    HWND parent = GetParent(focus);
    return parent && class_name(parent) == "ComboBox" ? parent : focus;
}

// Presses Tab until the focus has come round twice, and checks that it met every control that
// takes the focus and one radio of every group.
void check_tab_reaches_every_control(HWND window) {
    std::set<HWND> reached;
    const std::vector<HWND> controls = descendant_windows(window);
    for (std::size_t press = 0; press < 2 * controls.size() + 4; ++press) {
        reached.insert(focused_control());
        press_key(GetFocus(), VK_TAB);
    }
    for (HWND control : controls) {
        if (!usable(control)) {
            continue;
        }
        if (is_radio(control)) {
            bool group_reached = false;
            HWND member = control;
            do {
                group_reached = group_reached || reached.contains(member);
                member = GetNextDlgGroupItem(GetParent(control), member, FALSE);
            } while (member && member != control);
            EXPECT_TRUE(group_reached) << "no radio reached in the group of " << describe(control);
        } else if (takes_focus(control)) {
            EXPECT_TRUE(reached.contains(control)) << "Tab never reaches " << describe(control);
        }
    }
}

// In each group of radios, Down moves the focus to the next radio and checks it.
void check_arrows_move_in_radio_groups(HWND window) {
    std::set<HWND> tried_groups;
    for (HWND control : descendant_windows(window)) {
        if (!is_radio(control) || !usable(control)) {
            continue;
        }
        HWND group = GetParent(control);
        HWND next = GetNextDlgGroupItem(group, control, FALSE);
        if (!next || next == control || !usable(next) || !is_radio(next) ||
            tried_groups.contains(next)) {
            tried_groups.insert(control);
            continue;
        }
        tried_groups.insert(control);
        SetFocus(control);
        press_key(control, VK_DOWN);
        EXPECT_EQ(focused_control(), next) << "Down from " << describe(control);
        EXPECT_EQ(Button_GetCheck(next), BST_CHECKED) << "Down onto " << describe(next);
    }
}

// The WM_COMMAND ids the window is sent while a key is taken.
std::vector<int>* commands_seen = nullptr;
HWND commands_of = nullptr;

LRESULT CALLBACK record_commands(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    // A button's click, not the notifications of the controls losing the focus as it closes.
    if (code == HC_ACTION && commands_seen && sent->hwnd == commands_of &&
        sent->message == WM_COMMAND && HIWORD(sent->wParam) == BN_CLICKED) {
        commands_seen->push_back(LOWORD(sent->wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Presses `key` with the focus on the first control that is no push button (Enter on a push
// button presses that button), and returns the commands it sent to the window.
std::vector<int> commands_from_key(HWND window, int key) {
    for (HWND control : descendant_windows(window)) {
        const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
        const bool push_button =
            class_name(control) == "Button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
        if (usable(control) && takes_focus(control) && !push_button) {
            SetFocus(control);
            break;
        }
    }
    std::vector<int> seen;
    commands_seen = &seen;
    commands_of = window;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, record_commands, nullptr, GetCurrentThreadId());
    press_key(GetFocus(), key);
    UnhookWindowsHookEx(hook);
    commands_seen = nullptr;
    return seen;
}

class DialogKeyboard : public EveryWindowTest {};

TEST_F(DialogKeyboard, TabAndTheArrowsReachEveryControl) {
    on_every_window([](HWND window) {
        check_tab_reaches_every_control(window);
        check_arrows_move_in_radio_groups(window);
    });
}

TEST_F(DialogKeyboard, EnterPressesTheDefaultButtonAndEscCancels) {
    for (const auto& [key, command] : {std::pair{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}}) {
        SCOPED_TRACE(key == VK_RETURN ? "Enter" : "Esc");
        on_every_window([&](HWND window) {
            EXPECT_EQ(commands_from_key(window, key), std::vector<int>{command});
        });
    }
}

}  // namespace
}  // namespace tessmar::test
