// A fixture that opens, one after the other, every page and dialog of the program, each the way
// a user reaches it, and lets a test act on each.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/ui/support/main_window_fixture.h"

namespace tessmar::test {

// Acts on an open window; it may close the window, else the window is cancelled, and so is every
// window opened on the way to it.
using WindowAct = std::function<void(HWND window)>;

class EveryWindowTest : public MainWindowTest {
  protected:
    using Act = WindowAct;

    struct Opener {
        std::string name;
        std::function<void(EveryWindowTest& test, const Act& act)> open;
    };

    // Every sheet page (as shown in its sheet), parameter dialog, the key grid, Fields
    // Parameters, the port dialog, Compare with Scanner, Watch Scanner Output, the fleet window in
    // both modes, Find setting and the About box.
    std::vector<Opener> every_window();

    // Runs `act` on each window in turn.
    void on_every_window(const Act& act);

  private:
    void on_sheet_tab(int tab, const std::function<void(HWND page)>& then, const Act& act);
    void on_format_tab(int tab, const std::function<void(HWND page)>& then, const Act& act);
    void on_dialog(const std::function<void()>& open, const Act& act);
};

}  // namespace tessmar::test
