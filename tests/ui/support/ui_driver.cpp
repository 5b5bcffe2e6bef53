#include "tests/ui/support/ui_driver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <array>

namespace tessmar::test {
namespace {

// A script that has had no window to act on for this long gives up and closes the window in
// front, so a test that took a wrong turn fails instead of hanging.
constexpr DWORD kIdleLimitMs = 15000;
constexpr UINT kRunStepMessage = WM_APP + 1;
constexpr UINT_PTR kWatchdogTimer = 1;
// Polls for a window that is not shown yet: a dialog box is shown only once its modal loop first
// finds its queue empty, and a timer fires only then.
constexpr UINT_PTR kShownTimer = 2;
constexpr UINT kShownPollMs = 10;

ModalScript* active_script = nullptr;
constexpr char kHelperClass[] = "TessmarTestModalHelper";
// The id of a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

LRESULT CALLBACK cbt_hook(int code, WPARAM wParam, LPARAM lParam) {
    if (active_script) {
        if (code == HCBT_ACTIVATE) {
            active_script->on_activate(reinterpret_cast<HWND>(wParam));
        } else if (code == HCBT_DESTROYWND) {
            active_script->on_destroy(reinterpret_cast<HWND>(wParam));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK helper_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunStepMessage && active_script) {
        active_script->run_pending(reinterpret_cast<HWND>(lParam));
        return 0;
    }
    if (message == WM_TIMER && wParam == kShownTimer && active_script) {
        active_script->on_shown_timer();
        return 0;
    }
    if (message == WM_TIMER && wParam == kWatchdogTimer && active_script) {
        active_script->on_watchdog();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND create_helper_window() {
    WNDCLASSA helper_class{};
    helper_class.lpfnWndProc = helper_proc;
    helper_class.hInstance = GetModuleHandleA(nullptr);
    helper_class.lpszClassName = kHelperClass;
    RegisterClassA(&helper_class);  // fails harmlessly when already registered
    return CreateWindowExA(0, kHelperClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           helper_class.hInstance, nullptr);
}

bool is_dialog_window(HWND window) {
    return class_name(window) == "#32770" && !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
}

// Delivers left clicks as the system would: to the window that the point hits (found with the
// system's own hit test, which passes over a static that lets clicks through), in its client
// coordinates, the second click of a pair as a double-click where the window's class takes them.
// Sent rather than put through SendInput, whose input Wine may deliver after the messages the
// test posts next.
void send_clicks(HWND window, POINT client_point, int clicks) {
    POINT point = client_point;
    ClientToScreen(window, &point);
    HWND target = WindowFromPoint(point);
    if (!target) {
        return;
    }
    ScreenToClient(target, &point);
    const LPARAM where = MAKELPARAM(point.x, point.y);
    const bool takes_double_clicks = (GetClassLongPtrA(target, GCL_STYLE) & CS_DBLCLKS) != 0;
    for (int click = 0; click < clicks; ++click) {
        const bool second = click % 2 == 1;
        SendMessageA(target, second && takes_double_clicks ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN,
                     MK_LBUTTON, where);
        // The press may have run a modal window that ended with the target.
        if (IsWindow(target)) {
            SendMessageA(target, WM_LBUTTONUP, 0, where);
        }
    }
    pump_messages();
}

bool is_property_sheet(HWND window) {
    return FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr) != nullptr;
}

}  // namespace

ModalScript::ModalScript() {
    active_script = this;
    helper_ = create_helper_window();
    hook_ = SetWindowsHookExA(WH_CBT, cbt_hook, nullptr, GetCurrentThreadId());
    SetTimer(helper_, kWatchdogTimer, 500, nullptr);
    last_activity_ = GetTickCount();
}

ModalScript::~ModalScript() {
    UnhookWindowsHookEx(hook_);
    KillTimer(helper_, kWatchdogTimer);
    KillTimer(helper_, kShownTimer);
    DestroyWindow(helper_);
    active_script = nullptr;
}

ModalScript& ModalScript::then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

ModalScript& ModalScript::answer(int button) {
    return then([this, button](HWND box) {
        message_boxes_.push_back(read_message_box(box));
        press_button(box, button);
    });
}

ModalScript& ModalScript::cancel() {
    return then([](HWND window) { cancel_window(window); });
}

std::vector<std::string> ModalScript::problems() const {
    std::vector<std::string> problems = problems_;
    for (std::size_t i = next_step_; i < steps_.size(); ++i) {
        problems.push_back("step " + std::to_string(i + 1) + " never found its window");
    }
    return problems;
}

void ModalScript::on_activate(HWND window) {
    if (!is_dialog_window(window) ||
        std::find(handled_.begin(), handled_.end(), window) != handled_.end()) {
        return;
    }
    handled_.push_back(window);
    // The step runs from the window's own modal loop, once the window is fully up.
    PostMessageA(helper_, kRunStepMessage, 0, reinterpret_cast<LPARAM>(window));
}

void ModalScript::on_destroy(HWND window) {
    handled_.erase(std::remove(handled_.begin(), handled_.end(), window), handled_.end());
}

void ModalScript::run_pending(HWND window) {
    if (!IsWindow(window)) {
        return;
    }
    // A step acts on the window as the user sees it, so it waits until the window is shown.
    if (!IsWindowVisible(window)) {
        not_yet_shown_ = window;
        SetTimer(helper_, kShownTimer, kShownPollMs, nullptr);
        return;
    }
    last_activity_ = GetTickCount();
    if (next_step_ >= steps_.size()) {
        const MessageBoxSeen seen = read_message_box(window);
        problems_.push_back("unexpected window \"" + seen.caption + "\"" +
                            (seen.text.empty() ? "" : ": " + seen.text));
        cancel_window(window);
        return;
    }
    steps_[next_step_++](window);
}

void ModalScript::on_shown_timer() {
    KillTimer(helper_, kShownTimer);
    HWND window = not_yet_shown_;
    not_yet_shown_ = nullptr;
    run_pending(window);
}

void ModalScript::on_watchdog() {
    if (GetTickCount() - last_activity_ < kIdleLimitMs) {
        return;
    }
    last_activity_ = GetTickCount();
    HWND front = GetActiveWindow();
    if (front && is_dialog_window(front)) {
        problems_.push_back("timed out waiting in \"" + window_text(front) + "\"");
        cancel_window(front);
    }
}

void pump_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::vector<HWND> descendant_windows(HWND window) {
    std::vector<HWND> found;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string window_text(HWND window) {
    std::array<char, 1024> text{};
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

std::string class_name(HWND window) {
    std::array<char, 256> name{};
    GetClassNameA(window, name.data(), static_cast<int>(name.size()));
    return name.data();
}

void cancel_window(HWND window) {
    if (is_property_sheet(window)) {
        PostMessageA(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    } else {
        press_button(window, IDCANCEL);
    }
}

void press_button(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

MessageBoxSeen read_message_box(HWND box) {
    return {window_text(box), window_text(GetDlgItem(box, kMessageBoxTextId))};
}

HWND current_page(HWND sheet) {
    return PropSheet_GetCurrentPageHwnd(sheet);
}

void press_sheet_button(HWND sheet, int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
}

void choose_file_name(HWND dialog, const std::string& path) {
    // The file name is an edit box in the old-style dialog and a combo box in the explorer one.
    constexpr int kFileNameCombo = 0x47C;  // cmb13
    constexpr int kFileNameEdit = 0x480;   // edt1
    const int control = GetDlgItem(dialog, kFileNameCombo) ? kFileNameCombo : kFileNameEdit;
    SetDlgItemTextA(dialog, control, path.c_str());
    press_button(dialog, IDOK);
}

void pump_through_dialog_manager() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        HWND front = GetActiveWindow();
        if (front && is_dialog_window(front)) {
            // A property sheet's loop asks the sheet, which handles Ctrl+Tab before the dialog
            // manager.
            const bool taken = is_property_sheet(front)
                                   ? PropSheet_IsDialogMessage(front, &message) != FALSE
                                   : IsDialogMessageA(front, &message) != FALSE;
            if (taken) {
                continue;
            }
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void type_text(HWND window, const std::string& text) {
    for (const char c : text) {
        PostMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    pump_through_dialog_manager();
}

namespace {

// A key's press and release, with `flags` (Alt's context bit) in both.
void post_key(HWND window, int virtual_key, UINT down, UINT up, LPARAM flags) {
    const auto scan_code = static_cast<LPARAM>(MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC));
    const LPARAM press = 1 | (scan_code << 16) | flags;
    PostMessageA(window, down, static_cast<WPARAM>(virtual_key), press);
    PostMessageA(window, up, static_cast<WPARAM>(virtual_key),
                 press | (LPARAM{1} << 30) | (LPARAM{1} << 31));
    pump_through_dialog_manager();
}

}  // namespace

void press_key(HWND window, int virtual_key) {
    post_key(window, virtual_key, WM_KEYDOWN, WM_KEYUP, 0);
}

void press_alt_key(HWND window, int virtual_key) {
    post_key(window, virtual_key, WM_SYSKEYDOWN, WM_SYSKEYUP, LPARAM{1} << 29);
}

bool tab_to(HWND dialog, int id) {
    HWND target = GetDlgItem(dialog, id);
    constexpr int kMostPresses = 100;
    for (int presses = 0; presses < kMostPresses && GetFocus() && GetFocus() != target; ++presses) {
        press_key(GetFocus(), VK_TAB);
    }
    return target && GetFocus() == target;
}

void click_at(HWND window, POINT client_point) {
    send_clicks(window, client_point, 1);
}

void double_click_at(HWND window, POINT client_point) {
    send_clicks(window, client_point, 2);
}

COLORREF pixel_at(HWND window, POINT client_point) {
    UpdateWindow(window);
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, client_point.x, client_point.y);
    ReleaseDC(window, dc);
    return colour;
}

// A DROPFILES header followed by the names, each ended by a NUL, and one more NUL after them.
HDROP make_file_drop(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& path : paths) {
        names += path;
        names += '\0';
    }
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::copy(names.begin(), names.end(), reinterpret_cast<char*>(drop + 1));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

}  // namespace tessmar::test
