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
