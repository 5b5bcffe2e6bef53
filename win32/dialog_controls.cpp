#include "win32/dialog_controls.h"

#include <windowsx.h>

namespace tessmar {

std::string control_text(HWND control) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string caption_words(HWND control) {
    const std::string text = control_text(control);
    std::string words;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        words += text[i];
    }
    return words;
}

void toggle_check_box(HWND dialog, int id) {
    HWND box = GetDlgItem(dialog, id);
    Button_SetCheck(box, Button_GetCheck(box) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
}

INT_PTR answer_notification(HWND dialog, LRESULT result) {
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace tessmar

namespace tessmar {
namespace {

// The control a dialog not yet shown gives the focus to once it is.
constexpr char kWaitingFocus[] = "TessmarWaitingFocus";

bool is_radio_button(HWND control) {
    const LONG_PTR type = GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

// The checked button of the radio group `first` lies in, or `first` when none is.
HWND checked_in_group(HWND holder, HWND first) {
    for (HWND button = first;;) {
        if (Button_GetCheck(button) == BST_CHECKED) {
            return button;
        }
        button = GetNextDlgGroupItem(holder, button, FALSE);
        if (!button || button == first) {
            return first;
        }
    }
}

}  // namespace

bool focus_dialog_control(HWND holder, int id) {
    HWND control = id != 0 ? GetDlgItem(holder, id) : nullptr;
    // Its own style, not IsWindowVisible: the dialog itself may not be shown yet.
    if (!control || !IsWindowEnabled(control) ||
        !(GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE)) {
        return false;
    }
    if (is_radio_button(control)) {
        control = checked_in_group(holder, control);
    }
    // The top-level dialog runs the focus and the default button, for its pages too. A dialog not
    // yet shown gives its first control the focus when it is activated: the focus waits until
    // then.
    HWND dialog = GetAncestor(holder, GA_ROOT);
    if (IsWindowVisible(dialog)) {
        PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    } else {
        SetPropA(dialog, kWaitingFocus, control);
    }
    return true;
}

void give_waiting_focus(HWND dialog) {
    if (HANDLE control = RemovePropA(dialog, kWaitingFocus)) {
        PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    }
}

void forget_waiting_focus(HWND dialog) {
    RemovePropA(dialog, kWaitingFocus);
}

}  // namespace tessmar
