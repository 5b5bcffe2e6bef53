#include "link/ui/progress_window.h"

#include <commctrl.h>

#include "link/download.h"
#include "link/read_back.h"
#include "resources/resource.h"
#include "win32/dpi.h"

namespace tessmar {
namespace {

struct DirectionLook {
    const char* bar_text;
    const char* label;  // null keeps the template's "Downloading..."
    int top;
};

constexpr DirectionLook kLooks[] = {
    {"Downloading", nullptr, kDownloadProgressEnd},
    {"Uploading", "Uploading...", kReadProgressEnd},
};

// At 96 dots per inch.
constexpr int kBarMargin = 14;
constexpr int kBarHeight = 20;

}  // namespace

ProgressWindow::ProgressWindow(HINSTANCE instance, HWND owner, TransferDirection direction) {
    const DirectionLook& look = kLooks[static_cast<int>(direction)];
    dialog_ = CreateDialogA(instance, "ProgressDlg", owner, nullptr);
    if (!dialog_) {
        return;  // the transfer goes on without a window to show it
    }
    if (look.label) {
        SetDlgItemTextA(dialog_, IDC_PROGRESS_TEXT, look.label);
    }
    RECT client{};
    GetClientRect(dialog_, &client);
    const int margin = scale_to_dpi(kBarMargin);
    bar_ = CreateWindowExA(0, PROGRESS_CLASSA, look.bar_text, WS_CHILD | WS_VISIBLE, margin,
                           client.bottom / 2, client.right - 2 * margin, scale_to_dpi(kBarHeight),
                           dialog_, nullptr, instance, nullptr);
    SendMessageA(bar_, PBM_SETRANGE, 0, MAKELPARAM(0, look.top));
    SendMessageA(bar_, PBM_SETPOS, 0, 0);
    UpdateWindow(dialog_);
}

ProgressWindow::~ProgressWindow() {
    if (dialog_) {
        DestroyWindow(dialog_);  // the bar goes with it
    }
}

void ProgressWindow::show(int position) {
    if (bar_) {
        SendMessageA(bar_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
        UpdateWindow(bar_);
    }
}

}  // namespace tessmar
