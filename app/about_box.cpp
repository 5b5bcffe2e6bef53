#include "app/about_box.h"

namespace tessmar {
namespace {

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, 1);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

void show_about_box(HINSTANCE instance, HWND owner) {
    DialogBoxParamA(instance, "AboutBox", owner, AboutBoxProc, 0);
}

}  // namespace tessmar
