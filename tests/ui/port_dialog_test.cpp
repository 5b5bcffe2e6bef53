#include <windows.h>
#include <windowsx.h>

#include "link/ui/port_dialog.h"
#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"

namespace tessmar::test {
namespace {

struct Shown {
    std::string caption;
    std::vector<std::string> ports;
    int selected = -2;
    std::vector<std::string> statics;  // group box and label, in tab order
    bool drop_down_list = false;
    std::string ok, cancel;
};

Shown read_dialog(HWND dialog) {
    Shown shown;
    shown.caption = window_text(dialog);
    HWND list = GetDlgItem(dialog, IDC_COM_PORT);
    for (int i = 0; i < ComboBox_GetCount(list); ++i) {
        char text[32] = {};
        ComboBox_GetLBText(list, i, text);
        shown.ports.emplace_back(text);
    }
    shown.selected = ComboBox_GetCurSel(list);
    shown.drop_down_list = (GetWindowLongA(list, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (class_name(child) == "Static" || GetDlgCtrlID(child) == -1) {
            shown.statics.push_back(window_text(child));
        }
    }
    shown.ok = window_text(GetDlgItem(dialog, IDOK));
    shown.cancel = window_text(GetDlgItem(dialog, IDCANCEL));
    return shown;
}

using PortDialog = MainWindowTest;

TEST_F(PortDialog, OffersSixPortsWithTheGivenOneSelected) {
    ModalScript script;
    Shown shown;
    script.then([&](HWND dialog) {
        shown = read_dialog(dialog);
        cancel_window(dialog);
    });
    int port = 3;
    EXPECT_FALSE(choose_com_port(app.instance, window, port));
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(shown.caption, "Open COM Port");
    EXPECT_EQ(shown.ports,
              (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"}));
    EXPECT_EQ(shown.selected, 3);
    EXPECT_TRUE(shown.drop_down_list);
    EXPECT_EQ(shown.statics, (std::vector<std::string>{"", "&COM port :"}));
    EXPECT_EQ(shown.ok, "OK");
    EXPECT_EQ(shown.cancel, "Cancel");
    EXPECT_EQ(port, 3);
}

TEST_F(PortDialog, OkStoresTheChoiceAndCancelOrEscKeepsTheOldOne) {
    const auto choose = [&](int index, int button) {
        ModalScript script;
        script.then([&](HWND dialog) {
            ComboBox_SetCurSel(GetDlgItem(dialog, IDC_COM_PORT), index);
            press_button(dialog, button);
        });
        int port = 1;
        const bool confirmed = choose_com_port(app.instance, window, port);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        return std::make_pair(confirmed, port);
    };
    EXPECT_EQ(choose(5, IDOK), std::make_pair(true, 5));
    EXPECT_EQ(choose(0, IDOK), std::make_pair(true, 0));
    EXPECT_EQ(choose(4, IDCANCEL), std::make_pair(false, 1));

    ModalScript escape;
    escape.then([](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_COM_PORT);
        ComboBox_SetCurSel(list, 2);
        SetFocus(list);
        // Through the dialog's own loop, as a key press would come.
        PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    int port = 1;
    EXPECT_FALSE(choose_com_port(app.instance, window, port));
    EXPECT_TRUE(escape.finished_cleanly()) << ::testing::PrintToString(escape.problems());
    EXPECT_EQ(port, 1);
}

}  // namespace
}  // namespace tessmar::test
