// Small helpers every dialog shares: reading a control's text, the self-toggled check boxes, and
// answering a notification.
#pragma once

#include <windows.h>

#include <string>

namespace tessmar {

// A control's whole text.
std::string control_text(HWND control);
// A caption as it reads: without its access-key mark ("&&" stands for one ampersand).
std::string caption_words(HWND control);

// Flips a two-state check box.
void toggle_check_box(HWND dialog, int id);

// Answers a notification with `result` (DWLP_MSGRESULT) and TRUE.
INT_PTR answer_notification(HWND dialog, LRESULT result);

}  // namespace tessmar
