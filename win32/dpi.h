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

}  // namespace tessmar
