#include "pages/ui/reader_page.h"

namespace tessmar::reader_page_detail {

void after_commit(PageLaunch& launch, ProgramState& program) {
    if (launch.after_commit) {
        launch.after_commit(program);
    }
    if (launch.marks_modified) {
        program.settings_modified = true;
    }
    launch.committed = true;
}

void take_focus_from_hidden_page(HWND page) {
    HWND sheet = GetParent(page);
    HWND focus = GetFocus();
    // The tab control and the sheet's buttons keep it, as after a click on a tab; so does a
    // control that someone focused meanwhile.
    if (!focus || IsWindowVisible(focus) || !IsChild(sheet, focus) || GetParent(focus) == sheet) {
        return;
    }
    for (HWND control = GetWindow(page, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        if ((style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE)) {
            SendMessageA(sheet, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
            return;
        }
    }
}

void focus_row_after_dialog(HWND page, int id) {
    SendMessageA(GetParent(page), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, id)),
                 TRUE);
}

}  // namespace tessmar::reader_page_detail
