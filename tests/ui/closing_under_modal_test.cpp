// A close request or a log-off that reaches the main window while a modal window holds the
// program: the modal window comes to the front, and nothing under it is destroyed.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/page_driver.h"

namespace tessmar::test {
namespace {

class ClosingUnderModal : public MainWindowTest {};

struct Outcome {
    bool main_window_lived = false;
    bool modal_window_lived = false;
    LRESULT session_may_end = TRUE;
};

// As another program (taskkill) and Windows would: a posted WM_CLOSE, then the log-off query.
Outcome try_to_end_the_program(HWND main_window, HWND modal) {
    PostMessageA(main_window, WM_CLOSE, 0, 0);
    pump_messages();
    Outcome outcome;
    outcome.session_may_end = SendMessageA(main_window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    outcome.main_window_lived = IsWindow(main_window) != FALSE;
    outcome.modal_window_lived = IsWindow(modal) != FALSE;
    return outcome;
}

TEST_F(ClosingUnderModal, NeitherACloseNorALogOffEndsTheProgramUnderAModalWindow) {
    constexpr int kSymbologyTab = 2;
    constexpr int kEditTab = 5;
    const struct {
        const char* modal;
        int tab;
        // Opens the nested modal window from the page; null for the sheet itself.
        std::function<void(HWND page)> open;
    } kCases[] = {
        {"the Reader Settings sheet", 0, nullptr},
        {"a parameter dialog", kSymbologyTab,
         [](HWND page) { click(page, IDC_SYMBOLOGY_FIRST + IDC_CONFIGURE_OFFSET); }},
        {"the key grid", kSymbologyTab,
         [](HWND page) {
             click_at(GetDlgItem(page, IDC_PREFIX_CODE), {10, 5});
         }},
        {"the editing-format sheet", kEditTab,
         [](HWND page) { click(page, IDC_CONFIGURE_FORMAT_FIRST); }},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.modal);
        const SettingsRecord before = state.record;
        Outcome outcome;
        ModalScript script;
        script.then([&](HWND sheet) {
            HWND page = show_tab(sheet, c.tab);
            if (c.open) {
                c.open(page);
            } else {
                outcome = try_to_end_the_program(window, sheet);
            }
            press_sheet_button(sheet, PSBTN_CANCEL);
        });
        if (c.open) {
            script.then([&](HWND modal) {
                outcome = try_to_end_the_program(window, modal);
                cancel_window(modal);
            });
        }
        open_sheet();
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        EXPECT_TRUE(script.message_boxes().empty());
        EXPECT_TRUE(outcome.main_window_lived);
        EXPECT_TRUE(outcome.modal_window_lived);
        EXPECT_EQ(outcome.session_may_end, FALSE);
        EXPECT_TRUE(IsWindow(window));
        EXPECT_EQ(state.record, before);
    }
}

}  // namespace
}  // namespace tessmar::test
