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

#include "app/about_box.h"
#include "app/compare_dialog.h"
#include "link/ui/port_dialog.h"
#include "resources/resource.h"
#include "summary/record_comparison.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/page_driver.h"

namespace tessmar::test {
namespace {

using Act = std::function<void(HWND window)>;

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

std::vector<HWND> descendants(HWND window) {
    std::vector<HWND> found;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
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
    const std::vector<HWND> controls = descendants(window);
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
    for (HWND control : descendants(window)) {
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
    for (HWND control : descendants(window)) {
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

class DialogKeyboard : public MainWindowTest {
  protected:
    // Opens the window a row names and runs `act` on it; `act` may close it, else it is
    // cancelled, and so is every window opened on the way.
    using Opener = std::function<void(DialogKeyboard& test, const Act& act)>;

    // The Reader Settings sheet on `tab`; `then` opens a window from the page, or null to act on
    // the sheet itself.
    void on_sheet_tab(int tab, const std::function<void(HWND page)>& then, const Act& act) {
        ModalScript script;
        script.then([&](HWND sheet) {
            HWND page = show_tab(sheet, tab);
            if (then) {
                then(page);
            } else {
                act_and_close(sheet, act);
            }
            if (IsWindow(sheet)) {
                press_sheet_button(sheet, PSBTN_CANCEL);
            }
        });
        if (then) {
            script.then([&](HWND window) { act_and_close(window, act); });
        }
        open_sheet();
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    }

    // The editing-format sheet of format 1 on `tab`, or a window opened from that page.
    void on_format_tab(int tab, const std::function<void(HWND page)>& then, const Act& act) {
        constexpr int kEditTab = 5;
        ModalScript script;
        script.then([&](HWND sheet) {
            click(show_tab(sheet, kEditTab), IDC_CONFIGURE_FORMAT_FIRST);
            press_sheet_button(sheet, PSBTN_CANCEL);
        });
        script.then([&](HWND format_sheet) {
            HWND page = show_tab(format_sheet, tab);
            if (then) {
                then(page);
            } else {
                act_and_close(format_sheet, act);
            }
            if (IsWindow(format_sheet)) {
                press_sheet_button(format_sheet, PSBTN_CANCEL);
            }
        });
        if (then) {
            script.then([&](HWND window) { act_and_close(window, act); });
        }
        open_sheet();
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    }

    // A dialog the test opens itself.
    void on_dialog(const std::function<void()>& open, const Act& act) {
        ModalScript script;
        script.then([&](HWND window) { act_and_close(window, act); });
        open();
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    }

    static void act_and_close(HWND window, const Act& act) {
        act(window);
        if (IsWindow(window) && IsWindowEnabled(window)) {
            cancel_window(window);
        }
    }

    struct Row {
        std::string name;
        Opener open;
    };

    std::vector<Row> rows() {
        std::vector<Row> all;
        const char* const kTabs[] = {"Scanner",     "Interface", "Symbology",
                                     "Length Code", "Code ID",   "Edit Format"};
        for (int tab = 0; tab < 6; ++tab) {
            all.push_back(
                {std::string("page ") + kTabs[tab],
                 [tab](DialogKeyboard& t, const Act& a) { t.on_sheet_tab(tab, nullptr, a); }});
        }
        // The Symbology page's boxes in its order; Code 93 (8) and Code 128 (16) have no
        // parameters.
        for (const int box : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 16}) {
            const int configure = IDC_SYMBOLOGY_FIRST + box + IDC_CONFIGURE_OFFSET;
            all.push_back({"parameter dialog " + std::to_string(box + 1),
                           [box, configure](DialogKeyboard& t, const Act& a) {
                               t.on_sheet_tab(
                                   2,
                                   [&](HWND page) {
                                       if (!IsWindowEnabled(GetDlgItem(page, configure))) {
                                           click(page, IDC_SYMBOLOGY_FIRST + box);
                                       }
                                       click(page, configure);
                                   },
                                   a);
                           }});
        }
        all.push_back({"key grid", [](DialogKeyboard& t, const Act& a) {
                           t.on_sheet_tab(
                               2,
                               [](HWND page) {
                                   click_at(GetDlgItem(page, IDC_PREFIX_CODE), {10, 5});
                               },
                               a);
                       }});
        for (int tab = 0; tab < 3; ++tab) {
            all.push_back(
                {"editing-format page " + std::to_string(tab + 1),
                 [tab](DialogKeyboard& t, const Act& a) { t.on_format_tab(tab, nullptr, a); }});
        }
        all.push_back({"Fields Parameters", [](DialogKeyboard& t, const Act& a) {
                           t.on_format_tab(
                               1,
                               [](HWND page) {
                                   retype(page, IDC_NUMBER_OF_FIELDS, "2");
                                   click(page, IDC_FIELD_BUTTON_FIRST);
                               },
                               a);
                       }});
        all.push_back({"port dialog", [](DialogKeyboard& t, const Act& a) {
                           int port = 0;
                           t.on_dialog([&] { choose_com_port(t.app.instance, t.window, port); }, a);
                       }});
        all.push_back({"Compare with Scanner", [](DialogKeyboard& t, const Act& a) {
                           SettingsRecord other = t.state.record;
                           other.set(Field::scanner_timeout, 7);
                           const RecordComparison comparison = compare_records(t.state, other);
                           t.on_dialog(
                               [&] { show_comparison(t.app.instance, t.window, comparison); }, a);
                       }});
        all.push_back({"About", [](DialogKeyboard& t, const Act& a) {
                           t.on_dialog([&] { show_about_box(t.app.instance, t.window); }, a);
                       }});
        return all;
    }
};

TEST_F(DialogKeyboard, TabAndTheArrowsReachEveryControl) {
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        row.open(*this, [](HWND window) {
            check_tab_reaches_every_control(window);
            check_arrows_move_in_radio_groups(window);
        });
    }
}

TEST_F(DialogKeyboard, EnterPressesTheDefaultButtonAndEscCancels) {
    for (const Row& row : rows()) {
        for (const auto& [key, command] : {std::pair{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}}) {
            SCOPED_TRACE(row.name + (key == VK_RETURN ? ", Enter" : ", Esc"));
            std::vector<int> commands;
            row.open(*this, [&](HWND window) { commands = commands_from_key(window, key); });
            EXPECT_EQ(commands, std::vector<int>{command});
        }
    }
}

}  // namespace
}  // namespace tessmar::test
