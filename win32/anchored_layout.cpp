#include "win32/anchored_layout.h"

#include "win32/dpi.h"

namespace tessmar {
namespace {

SIZE size_of(const RECT& rect) {
    return {rect.right - rect.left, rect.bottom - rect.top};
}

int unscaled(int pixels, int dpi) {
    return MulDiv(pixels, USER_DEFAULT_SCREEN_DPI, dpi);
}

RECT scaled(const RECT& rect, int dpi) {
    return {scale_to_dpi(rect.left, dpi), scale_to_dpi(rect.top, dpi),
            scale_to_dpi(rect.right, dpi), scale_to_dpi(rect.bottom, dpi)};
}

RECT anchored_rect(RECT rect, unsigned anchor, int wider, int taller) {
    if (anchor & (kWider | kFollowsRight)) {
        rect.right += wider;
    }
    if (anchor & kFollowsRight) {
        rect.left += wider;
    }
    if (anchor & (kTaller | kFollowsBottom)) {
        rect.bottom += taller;
    }
    if (anchor & kFollowsBottom) {
        rect.top += taller;
    }
    return rect;
}

// Windows 10 1703 on: a per-monitor dialog would otherwise be laid out from its template and
// resized by the dialog manager on a DPI change, losing the user's size. Its fonts it still
// updates. Looked up, since older systems have no such function.
void keep_dialog_manager_from_laying_out(HWND window) {
    using SetBehavior = BOOL WINAPI(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    static auto* const set_behavior = reinterpret_cast<SetBehavior*>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetDialogDpiChangeBehavior")));
    const auto ours =
        static_cast<DIALOG_DPI_CHANGE_BEHAVIORS>(DDC_DISABLE_RESIZE | DDC_DISABLE_CONTROL_RELAYOUT);
    if (set_behavior) {
        set_behavior(window, ours, ours);
    }
}

}  // namespace

void AnchoredLayout::note_first_layout(HWND window, std::span<const AnchoredControl> controls) {
    dpi_ = window_dpi(window);
    keep_dialog_manager_from_laying_out(window);
    RECT rect{};
    GetClientRect(window, &rect);
    first_client_ = {unscaled(rect.right, dpi_), unscaled(rect.bottom, dpi_)};
    GetWindowRect(window, &rect);
    const SIZE window_size = size_of(rect);
    first_window_ = {unscaled(window_size.cx, dpi_), unscaled(window_size.cy, dpi_)};
    places_.clear();
    for (const AnchoredControl& control : controls) {
        GetWindowRect(GetDlgItem(window, control.id), &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        const RECT unscaled_rect{unscaled(rect.left, dpi_), unscaled(rect.top, dpi_),
                                 unscaled(rect.right, dpi_), unscaled(rect.bottom, dpi_)};
        places_.push_back({control.id, control.anchor, unscaled_rect});
    }
}

void AnchoredLayout::lay_out(HWND window) const {
    RECT client{};
    GetClientRect(window, &client);
    const int wider = client.right - scale_to_dpi(first_client_.cx, dpi_);
    const int taller = client.bottom - scale_to_dpi(first_client_.cy, dpi_);
    HDWP positions = BeginDeferWindowPos(static_cast<int>(places_.size()));
    for (const Place& place : places_) {
        if (!positions) {
            return;
        }
        const RECT rect = anchored_rect(scaled(place.rect, dpi_), place.anchor, wider, taller);
        positions = DeferWindowPos(positions, GetDlgItem(window, place.id), nullptr, rect.left,
                                   rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions) {
        EndDeferWindowPos(positions);
    }
}

void AnchoredLayout::limit(MINMAXINFO& limits) const {
    limits.ptMinTrackSize = {scale_to_dpi(first_window_.cx, dpi_),
                             scale_to_dpi(first_window_.cy, dpi_)};
}

void AnchoredLayout::on_dpi_changed(HWND window, int dpi, const RECT& suggested) {
    dpi_ = dpi;
    const SIZE size = size_of(suggested);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    lay_out(window);
}

bool AnchoredLayout::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            lay_out(window);
            InvalidateRect(window, nullptr, TRUE);
            return true;
        case WM_DPICHANGED:
            on_dpi_changed(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return true;
        case WM_GETMINMAXINFO:
            // Never smaller than the template made it, so no control overlaps another.
            limit(*reinterpret_cast<MINMAXINFO*>(lParam));
            return true;
    }
    return false;
}

SIZE AnchoredLayout::unscaled_window_size(HWND window) const {
    RECT rect{};
    GetWindowRect(window, &rect);
    const SIZE size = size_of(rect);
    return {unscaled(size.cx, dpi_), unscaled(size.cy, dpi_)};
}

void AnchoredLayout::take_unscaled_window_size(HWND window, SIZE size) const {
    if (size.cx <= 0 || size.cy <= 0) {
        return;
    }
    const SIZE pixels{scale_to_dpi(size.cx, dpi_), scale_to_dpi(size.cy, dpi_)};
    RECT rect{};
    GetWindowRect(window, &rect);
    const int left = (rect.left + rect.right - pixels.cx) / 2;
    const int top = (rect.top + rect.bottom - pixels.cy) / 2;
    SetWindowPos(window, nullptr, left, top, pixels.cx, pixels.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tessmar
