// The one way a resizable window lays its controls out: each control keeps its distance to the
// edges it is anchored to, at the DPI of the monitor the window is on. The places are kept in
// units of 96 dots per inch, so a move to a monitor of another DPI (WM_DPICHANGED) keeps the
// user's size and lays everything out again at the new DPI; the dialog manager's own re-layout,
// which would start again from the template, is turned off where Windows has it.
#pragma once

#include <windows.h>

#include <span>
#include <vector>

namespace tessmar {

enum Anchor : unsigned {
    kWider = 1,          // its right edge follows the window's
    kTaller = 2,         // its bottom edge follows the window's
    kFollowsRight = 4,   // it moves with the window's right edge
    kFollowsBottom = 8,  // it moves with the window's bottom edge
};

struct AnchoredControl {
    int id;
    unsigned anchor;
};

class AnchoredLayout {
  public:
    // Notes the window's and its controls' places as they are now, its smallest size.
    void note_first_layout(HWND window, std::span<const AnchoredControl> controls);
    // WM_SIZE: every control to its place for the client area's size.
    void lay_out(HWND window) const;
    // WM_GETMINMAXINFO: never smaller than at first, at the DPI in force.
    void limit(MINMAXINFO& limits) const;
    // WM_DPICHANGED: takes the size Windows suggests and lays out at the new DPI.
    void on_dpi_changed(HWND window, int dpi, const RECT& suggested);
    // The three above, for a dialog procedure: true when `message` was one of theirs.
    bool handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int dpi() const { return dpi_; }
    // The window's size in units of 96 DPI, to be remembered, and a remembered one applied about
    // the same centre (none remembered: a zero size, left as it is).
    SIZE unscaled_window_size(HWND window) const;
    void take_unscaled_window_size(HWND window, SIZE size) const;

  private:
    struct Place {
        int id;
        unsigned anchor;
        RECT rect;  // at 96 DPI, as the template made it
    };
    std::vector<Place> places_;
    SIZE first_client_{};  // at 96 DPI
    SIZE first_window_{};  // at 96 DPI
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
};

}  // namespace tessmar
