#include "win32/dpi.h"

namespace tessmar {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up once: linking it would keep the program from starting before Windows 10, 1607.
GetDpiForWindowFunction get_dpi_for_window() {
    static const auto function = [] {
        HMODULE user32 = GetModuleHandleA("user32.dll");
        return user32 ? reinterpret_cast<GetDpiForWindowFunction>(
                            reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")))
                      : nullptr;
    }();
    return function;
}

}  // namespace

int screen_dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

int window_dpi(HWND window) {
    if (const GetDpiForWindowFunction function = get_dpi_for_window(); function && window) {
        if (const UINT dpi = function(window); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    return screen_dpi();
}

int font_height(HWND window, HFONT font) {
    HDC dc = GetDC(window);
    if (!dc) {
        return 0;
    }
    HGDIOBJ before = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, before);
    ReleaseDC(window, dc);
    return metrics.tmHeight;
}

}  // namespace tessmar
