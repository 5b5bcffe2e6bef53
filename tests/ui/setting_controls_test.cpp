// A setting's row names the page or dialog and the control that edit it, for finding the setting
// from its tree line: each must be a control of that window's template.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include <gtest/gtest.h>

#include "model/settings_schema.h"
#include "win32/common_controls.h"

namespace tessmar::test {
namespace {

INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST(SettingControls, EveryRowsControlIsInItsWindowsTemplate) {
    ASSERT_TRUE(register_common_controls(kCommonControlClasses));
    const HMODULE module = GetModuleHandleA(nullptr);
    // Page templates are child windows, which need a parent.
    HWND parent = CreateWindowExA(0, WC_STATICA, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  module, nullptr);
    std::map<std::string, HWND> windows;
    for (const NamedSetting& setting : setting_rows()) {
        const SettingControl& control = setting.control;
        if (!control.window) {
            continue;
        }
        HWND& window = windows[control.window];
        if (!window) {
            window = CreateDialogParamA(module, control.window, parent, InertDialogProc, 0);
        }
        ASSERT_NE(window, nullptr) << control.window;
        EXPECT_NE(GetDlgItem(window, control.id), nullptr)
            << setting.table << "." << setting.name << ": no control " << control.id << " in "
            << control.window;
    }
    for (const auto& [name, window] : windows) {
        DestroyWindow(window);
    }
    DestroyWindow(parent);
}

}  // namespace
}  // namespace tessmar::test
