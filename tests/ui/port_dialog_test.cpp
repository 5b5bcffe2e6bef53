#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <tuple>

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

// The port chosen last is kept under the user's key: each test starts and ends without one.
class PortDialog : public MainWindowTest {
  protected:
    void SetUp() override {
        forget_chosen_port();
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        forget_chosen_port();
    }
    static void forget_chosen_port() {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Tessmar", "Port");
    }

    // Opens the dialog on `chosen`, reads it, selects `entry` and presses `button`.
    Shown choose(PortChoice& chosen, int entry, int button = IDOK) {
        Shown shown;
        ModalScript script;
        script.then([&](HWND dialog) {
            shown = read_dialog(dialog);
            ComboBox_SetCurSel(GetDlgItem(dialog, IDC_COM_PORT), entry);
            press_button(dialog, button);
        });
        EXPECT_EQ(choose_com_port(app.instance, window, chosen), button == IDOK);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        return shown;
    }
};

TEST_F(PortDialog, OffersSixPortsWithTheGivenOneSelected) {
    state.port.selected_port_index = 3;
    const Shown shown = choose(state.port, 3, IDCANCEL);
    EXPECT_EQ(shown.caption, "Open COM Port");
    const std::vector<std::string> first_six(
        shown.ports.begin(), shown.ports.begin() + std::min<std::size_t>(6, shown.ports.size()));
    EXPECT_EQ(first_six,
              (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"}));
    EXPECT_EQ(shown.selected, 3);
    EXPECT_TRUE(shown.drop_down_list);
    EXPECT_EQ(shown.statics, (std::vector<std::string>{"", "&COM port :"}));
    EXPECT_EQ(shown.ok, "OK");
    EXPECT_EQ(shown.cancel, "Cancel");
    EXPECT_EQ(state.port.selected_port_index, 3);
}

TEST_F(PortDialog, OkStoresTheChoiceAndCancelOrEscKeepsTheOldOne) {
    PortChoice chosen;
    for (const auto& [entry, button, kept] :
         {std::tuple{5, IDOK, 5}, {0, IDOK, 0}, {4, IDCANCEL, 0}}) {
        choose(chosen, entry, button);
        EXPECT_EQ(chosen.selected_port_index, kept);
    }

    ModalScript escape;
    escape.then([](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_COM_PORT);
        ComboBox_SetCurSel(list, 2);
        SetFocus(list);
        // Through the dialog's own loop, as a key press would come.
        PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    EXPECT_FALSE(choose_com_port(app.instance, window, chosen));
    EXPECT_TRUE(escape.finished_cleanly()) << ::testing::PrintToString(escape.problems());
    EXPECT_EQ(chosen.selected_port_index, 0);
}

// The build's Wine prefix maps COM9 and COM12 too, as a USB adapter and a cradle would be.
TEST_F(PortDialog, PortsBeyondCom6FollowInNumberOrderAndTheChoiceOutlivesTheRun) {
    const Shown first = choose(state.port, 0, IDCANCEL);
    const auto at = [&first](const std::string& port) {
        return std::find(first.ports.begin(), first.ports.end(), port) - first.ports.begin();
    };
    const auto com12 = at("COM12");
    ASSERT_LT(com12, static_cast<std::ptrdiff_t>(first.ports.size()));
    EXPECT_LT(at("COM6"), at("COM9"));
    EXPECT_LT(at("COM9"), com12);

    choose(state.port, static_cast<int>(com12));
    EXPECT_EQ(chosen_port(state.port), "COM12");
    PortChoice next_run;
    recall_chosen_port(next_run);
    EXPECT_EQ(chosen_port(next_run), "COM12");
    EXPECT_EQ(choose(next_run, 2).selected, com12);
    recall_chosen_port(state.port);
    EXPECT_EQ(chosen_port(state.port), "COM3");
}

}  // namespace
}  // namespace tessmar::test
