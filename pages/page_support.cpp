#include "pages/page_support.h"

#include <commctrl.h>
#include <windowsx.h>

#include "pages/number_text.h"

namespace tessmar {

PageState& attach_page_state(HWND page, LPARAM init_lparam) {
    const auto* sheet_page = reinterpret_cast<const PROPSHEETPAGEA*>(init_lparam);
    auto* state = new PageState{reinterpret_cast<AppContext*>(sheet_page->lParam), false};
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    return *state;
}

PageState& page_state(HWND page) {
    return *reinterpret_cast<PageState*>(GetWindowLongPtrA(page, DWLP_USER));
}

void detach_page_state(HWND page) {
    delete reinterpret_cast<PageState*>(GetWindowLongPtrA(page, DWLP_USER));
    SetWindowLongPtrA(page, DWLP_USER, 0);
}

std::string control_text(HWND control) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void toggle_check_box(HWND page, int id) {
    HWND box = GetDlgItem(page, id);
    Button_SetCheck(box, Button_GetCheck(box) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
}

void correct_number_box(HWND page, int id, const char* fallback) {
    HWND box = GetDlgItem(page, id);
    if (number_text_needs_fallback(control_text(box))) {
        SetWindowTextA(box, fallback);
    }
}

INT_PTR answer_notification(HWND page, LRESULT result) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace tessmar
