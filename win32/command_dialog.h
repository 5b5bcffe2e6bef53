// The procedure of a dialog that only fills its controls and answers its buttons: what differs
// from one such dialog to the next is its two handlers, with the <windowsx.h> crackers'
// signatures.
#pragma once

#include <windows.h>
#include <windowsx.h>

namespace tessmar {

template <BOOL (*on_init_dialog)(HWND dialog, HWND focus, LPARAM parameter),
          void (*on_command)(HWND dialog, int id, HWND control, UINT notification)>
INT_PTR CALLBACK CommandDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return HANDLE_WM_INITDIALOG(hwnd, wParam, lParam, on_init_dialog);
        case WM_COMMAND:
            HANDLE_WM_COMMAND(hwnd, wParam, lParam, on_command);
            return TRUE;
    }
    return FALSE;
}

}  // namespace tessmar
