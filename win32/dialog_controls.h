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

// Gives the keyboard focus to control `id` of `holder` (a dialog, or a page inside a sheet), once
// the messages waiting are handled, as Tab would: the dialog's default button follows, and a radio
// group is entered at its checked button. False, and the focus left alone, when there is no such
// control or it is disabled or hidden.
bool focus_dialog_control(HWND holder, int id);
// Called as a dialog is activated: gives the focus focus_dialog_control left waiting.
void give_waiting_focus(HWND dialog);
// Called as a dialog is destroyed: a window must lose its properties before it goes.
void forget_waiting_focus(HWND dialog);

// Answers a notification with `result` (DWLP_MSGRESULT) and TRUE.
INT_PTR answer_notification(HWND dialog, LRESULT result);

}  // namespace tessmar
