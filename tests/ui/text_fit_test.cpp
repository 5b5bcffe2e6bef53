// At the DPI the test runs at (96 in the build's Wine prefix, 144 in a prefix of its own), every
// caption of every page and dialog fits its control, and the tree's font keeps its height.
#include <gtest/gtest.h>
#include <windows.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "tests/ui/support/every_window_fixture.h"
#include "win32/dpi.h"

namespace tessmar::test {
namespace {

class TextFit : public EveryWindowTest {};

// The room a control gives its caption: a check box or radio keeps its box to the left, a push
// button and a group box their edges.
RECT caption_room(HWND control, int dpi) {
    RECT room{};
    GetClientRect(control, &room);
    if (class_name(control) != "Button") {
        return room;
    }
    switch (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
            room.left += GetSystemMetrics(SM_CXMENUCHECK) + scale_to_dpi(3, dpi);
            break;
        case BS_GROUPBOX:
            InflateRect(&room, -scale_to_dpi(4, dpi), 0);
            break;
        default:
            InflateRect(&room, -2 * GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    }
    return room;
}

bool has_caption(HWND control) {
    const std::string name = class_name(control);
    if (name == "Static") {
        const LONG type = GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK;
        return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT ||
               type == SS_LEFTNOWORDWRAP;
    }
    return name == "Button" && !window_text(control).empty();
}

// Where the caption needs more room than it has, what it is and how much it lacks.
std::vector<std::string> captions_cut(HWND window, int dpi) {
    std::vector<std::string> cut;
    for (HWND control : descendant_windows(window)) {
        const std::string text = window_text(control);
        if (!IsWindowVisible(control) || text.empty() || !has_caption(control)) {
            continue;
        }
        const RECT room = caption_room(control, dpi);
        HDC dc = GetDC(control);
        HGDIOBJ before = SelectObject(dc, GetWindowFont(control));
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        // A caption taller than one line may wrap within its width.
        const bool wraps = room.bottom - room.top >= 2 * metrics.tmHeight;
        RECT needed = room;
        DrawTextA(dc, text.c_str(), -1, &needed,
                  DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        SelectObject(dc, before);
        ReleaseDC(control, dc);
        if (needed.right > room.right || needed.bottom > room.bottom) {
            cut.push_back("\"" + text + "\" needs " + std::to_string(needed.right - room.left) +
                          "x" + std::to_string(needed.bottom - room.top) + ", has " +
                          std::to_string(room.right - room.left) + "x" +
                          std::to_string(room.bottom - room.top));
        }
    }
    return cut;
}

TEST_F(TextFit, EveryCaptionFitsItsControl) {
    const int dpi = screen_dpi();
    on_every_window([&](HWND window) {
        EXPECT_EQ(captions_cut(window, dpi), std::vector<std::string>{}) << "at " << dpi << " DPI";
    });
}

TEST_F(TextFit, TheTreeFontIsSixteenPixelsAtNinetySixDpiScaled) {
    EXPECT_EQ(font_height(app.tree_view, app.tree_font), scale_to_dpi(16, screen_dpi()));
}

}  // namespace
}  // namespace tessmar::test
