// What every page of the Reader Settings sheet shares: the state it keeps while it lives, the
// self-toggled check boxes, the numeric boxes corrected as you type, and the notifications.
#pragma once

#include <windows.h>

#include <string>

#include "app/app_context.h"

namespace tessmar {

// A page's state for its lifetime, from WM_INITDIALOG to WM_NCDESTROY.
struct PageState {
    AppContext* app = nullptr;
    // Set while the page writes its own controls, so their change notifications are ignored.
    bool filling = false;
};

// On WM_INITDIALOG: takes the AppContext the sheet passed in the page's lParam.
PageState& attach_page_state(HWND page, LPARAM init_lparam);
PageState& page_state(HWND page);
// On WM_NCDESTROY.
void detach_page_state(HWND page);

// A control's whole text.
std::string control_text(HWND control);

// Flips a two-state check box.
void toggle_check_box(HWND page, int id);

// After a change of a numeric box's text: replaces text that is not a number with `fallback`.
void correct_number_box(HWND page, int id, const char* fallback);

// Answers a property-sheet notification with `result` (DWLP_MSGRESULT) and TRUE.
INT_PTR answer_notification(HWND page, LRESULT result);

// The page templates' parameters for the sheet: a template name and a page procedure.
struct PageTemplate {
    const char* name;
    DLGPROC procedure;
};

}  // namespace tessmar
