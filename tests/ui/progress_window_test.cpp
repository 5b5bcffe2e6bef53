#include <windows.h>
#include <commctrl.h>

#include "link/ui/progress_window.h"
#include "resources/resource.h"
#include "tests/ui/support/ui_driver.h"
#include "win32/common_controls.h"

#include <gtest/gtest.h>

namespace tessmar::test {
namespace {

struct Look {
    TransferDirection direction;
    const char* label;
    const char* bar_text;
    int top;
};

constexpr Look kLooks[] = {
    {TransferDirection::download, "Downloading...", "Downloading", 120},
    {TransferDirection::read_back, "Uploading...", "Uploading", 100},
};

TEST(ProgressWindow, ShowsTheDirectionsTextsAndABarAcrossItsLowerHalf) {
    register_common_controls(ICC_PROGRESS_CLASS);
    HWND owner = CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.bar_text);
        HWND dialog = nullptr;
        {
            ProgressWindow progress(GetModuleHandleA(nullptr), owner, look.direction);
            dialog = progress.window();
            ASSERT_NE(dialog, nullptr);
            HWND bar = progress.bar();
            ASSERT_NE(bar, nullptr);
            EXPECT_EQ(window_text(dialog), "Progress");
            EXPECT_TRUE(IsWindowVisible(dialog));
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
            EXPECT_EQ(GetWindowLongPtrA(dialog, DWLP_DLGPROC), 0);
            EXPECT_EQ(window_text(GetDlgItem(dialog, IDC_PROGRESS_TEXT)), look.label);

            EXPECT_EQ(class_name(bar), "msctls_progress32");
            EXPECT_EQ(window_text(bar), look.bar_text);
            EXPECT_EQ(GetWindowLongA(bar, GWL_STYLE) & (WS_CHILD | WS_VISIBLE),
                      WS_CHILD | WS_VISIBLE);
            RECT client{}, placed{};
            GetClientRect(dialog, &client);
            GetWindowRect(bar, &placed);
            MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&placed), 2);
            EXPECT_EQ(placed.left, 14);
            EXPECT_EQ(placed.top, client.bottom / 2);
            EXPECT_EQ(placed.right - placed.left, client.right - 28);
            EXPECT_EQ(placed.bottom - placed.top, 20);
            // The label sits above the bar.
            RECT label{};
            GetWindowRect(GetDlgItem(dialog, IDC_PROGRESS_TEXT), &label);
            MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&label), 2);
            EXPECT_LE(label.bottom, placed.top);

            PBRANGE range{};
            SendMessageA(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
            EXPECT_EQ(range.iLow, 0);
            EXPECT_EQ(range.iHigh, look.top);
            EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 0);
            progress.show(42);
            EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 42);
        }
        EXPECT_FALSE(IsWindow(dialog));
    }
    DestroyWindow(owner);
}

}  // namespace
}  // namespace tessmar::test
