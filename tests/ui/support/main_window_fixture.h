// A test fixture that opens the real main window on a state of its own.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "app/app_context.h"
#include "app/main_window.h"
#include "pages/ui/reader_settings_sheet.h"
#include "tests/ui/support/ui_driver.h"

namespace tessmar::test {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app.instance = GetModuleHandleA(nullptr);
        app.state = &state;
        ASSERT_TRUE(register_main_window_class(app.instance));
        window = create_main_window(app);
        ASSERT_NE(window, nullptr) << "CreateWindowEx failed with error " << GetLastError();
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        pump_messages();
    }

    void TearDown() override {
        if (IsWindow(window)) {
            DestroyWindow(window);
        }
        // Drains the quit message too, so it cannot end the next test's modal loops.
        pump_messages();
    }

    // Runs the Reader Settings sheet over the main window, as Configure scanner does.
    void open_sheet() { open_reader_settings({app.instance, app.state}, window, app.tree_view); }

    // Sends a menu command as the menu, toolbar or an accelerator would.
    void command(UINT id) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    ProgramState state;
    AppContext app;
    HWND window = nullptr;
};

}  // namespace tessmar::test
