// The program is aware of each monitor's DPI (per-monitor v2), so Windows draws it at the
// resolution of the monitor each window is on and never stretches it: every size given in pixels
// goes through here, at the DPI of the window it is for.
#pragma once

#include <windows.h>

namespace tessmar {

// The screen's dots per inch (96 at 100%): the system's DPI.
int screen_dpi();

// The dots per inch of the monitor `window` is on; the system's before Windows 10, version 1607,
// which has no per-window DPI.
int window_dpi(HWND window);

// The height in pixels of `font` in `window`, as GetTextMetrics gives it; 0 when there is no
// device context to ask.
int font_height(HWND window, HFONT font);

// A system metric (GetSystemMetrics' SM_...) at `dpi`: GetSystemMetrics gives the system DPI's,
// wrong for a window on a monitor of another DPI.
int system_metric_for_dpi(int index, int dpi);

// The status bar's font as the user chose it, at `dpi`; the caller owns it. Null when the system
// gives none.
HFONT create_status_font(int dpi);

// The icon resource `name` at the size Windows shows a large (SM_CXICON) or small (SM_CXSMICON)
// icon at `dpi`, scaled down from a larger image rather than stretched from a smaller one; the
// caller owns it.
HICON load_icon_for_dpi(HINSTANCE instance, const wchar_t* name, int size_metric, int dpi);

// A size chosen for 96 dots per inch, at `dpi`.
inline int scale_to_dpi(int pixels, int dpi) {
    return MulDiv(pixels, dpi, USER_DEFAULT_SCREEN_DPI);
}

}  // namespace tessmar
