// Small helpers every page and dialog shares: reading a control's text, the self-toggled check
// boxes, the numeric boxes corrected as you type, and answering a notification.
#pragma once

#include <windows.h>

#include <string>

namespace tessmar {

// A control's whole text.
std::string control_text(HWND control);

// Flips a two-state check box.
void toggle_check_box(HWND dialog, int id);

// After a change of a numeric box's text: replaces text that is not a number with `fallback`.
void correct_number_box(HWND dialog, int id, const char* fallback);

// Answers a notification with `result` (DWLP_MSGRESULT) and TRUE.
INT_PTR answer_notification(HWND dialog, LRESULT result);

}  // namespace tessmar
