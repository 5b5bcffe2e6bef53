#include "win32/dpi.h"

#include <commctrl.h>

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

// Functions of Windows 10, 1607 on and of common controls 6, looked up like GetDpiForWindow.
template <typename Function>
Function* user_function(const char* module, const char* name) {
    HMODULE loaded = GetModuleHandleA(module);
    return loaded ? reinterpret_cast<Function*>(
                        reinterpret_cast<void (*)()>(GetProcAddress(loaded, name)))
                  : nullptr;
}

}  // namespace

int system_metric_for_dpi(int index, int dpi) {
    using ForDpi = int WINAPI(int, UINT);
    static auto* const for_dpi = user_function<ForDpi>("user32.dll", "GetSystemMetricsForDpi");
    if (for_dpi) {
        return for_dpi(index, static_cast<UINT>(dpi));
    }
    return MulDiv(GetSystemMetrics(index), dpi, screen_dpi());
}

HFONT create_status_font(int dpi) {
    using ForDpi = BOOL WINAPI(UINT, UINT, void*, UINT, UINT);
    static auto* const for_dpi = user_function<ForDpi>("user32.dll", "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (for_dpi) {
        if (!for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                     static_cast<UINT>(dpi))) {
            return nullptr;
        }
    } else if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfStatusFont.lfHeight = MulDiv(metrics.lfStatusFont.lfHeight, dpi, screen_dpi());
    } else {
        return nullptr;
    }
    return CreateFontIndirectW(&metrics.lfStatusFont);
}

HICON load_icon_for_dpi(HINSTANCE instance, const wchar_t* name, int size_metric, int dpi) {
    const int size = system_metric_for_dpi(size_metric, dpi);
    using ScaleDown = HRESULT WINAPI(HINSTANCE, PCWSTR, int, int, HICON*);
    static auto* const scale_down =
        user_function<ScaleDown>("comctl32.dll", "LoadIconWithScaleDown");
    HICON icon = nullptr;
    if (scale_down && SUCCEEDED(scale_down(instance, name, size, size, &icon))) {
        return icon;
    }
    return static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, size, size, 0));
}

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
