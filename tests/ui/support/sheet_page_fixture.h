// A test fixture for one page of the Reader Settings sheet.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/page_driver.h"

namespace tessmar::test {

class SheetPageTest : public MainWindowTest {
  protected:
    // `tab`: the page's tab, 0 for Scanner.
    explicit SheetPageTest(int tab) : tab_(tab) {}

    // Opens the sheet on the page, lets `act` work on it, then presses the sheet's `button`.
    // `more` answers the windows the page opens meanwhile, in order.
    void run_page(const std::function<void(HWND page)>& act, int button = PSBTN_OK,
                  const std::function<void(ModalScript&)>& more = {}) {
        ModalScript script;
        script.then([&](HWND sheet) {
            act(show_tab(sheet, tab_));
            press_sheet_button(sheet, button);
        });
        if (more) {
            more(script);
        }
        open_sheet();
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        message_boxes = script.message_boxes();
    }

    // The message boxes the last run answered, in order.
    std::vector<MessageBoxSeen> message_boxes;

  private:
    int tab_;
};

}  // namespace tessmar::test
