// The program declares itself DPI-aware, so Windows draws it at the screen's own resolution and
// no longer stretches it: every size given in pixels goes through here.
#pragma once

#include <windows.h>

namespace tessmar {

// The screen's dots per inch (96 at 100%).
inline int screen_dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

// A size chosen for 96 dots per inch, at the screen's resolution.
inline int scale_to_dpi(int pixels) {
    return MulDiv(pixels, screen_dpi(), 96);
}

// The dots per inch of the monitor `window` shows on. Windows tells it from Windows 10 (1607)
// on; the program still runs on Windows 7, where every window has the screen's.
inline int window_dpi(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    // Cast through void*: the system hands every function out as one type.
    static const auto dpi_for_window = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    const UINT dpi = dpi_for_window && window ? dpi_for_window(window) : 0;
    return dpi != 0 ? static_cast<int>(dpi) : screen_dpi();
}

// A size chosen for 96 dots per inch, at the resolution of `window`'s monitor.
inline int scale_to_dpi(HWND window, int pixels) {
    return MulDiv(pixels, window_dpi(window), 96);
}

}  // namespace tessmar
