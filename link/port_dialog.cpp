#include "link/port_dialog.h"

#include <windowsx.h>

#include "resources/resource.h"
#include "win32/command_dialog.h"

namespace tessmar {
namespace {

int& port_index_of(HWND dialog) {
    return *reinterpret_cast<int*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

BOOL on_init_dialog(HWND dialog, HWND, LPARAM port_index) {
    SetWindowLongPtrA(dialog, DWLP_USER, port_index);
    HWND list = GetDlgItem(dialog, IDC_COM_PORT);
    for (const char* name : kPortNames) {
        ComboBox_AddString(list, name);
    }
    ComboBox_SetCurSel(list, port_index_of(dialog));
    return TRUE;
}

void on_command(HWND dialog, int id, HWND, UINT) {
    switch (id) {
        case IDOK: {
            const int chosen = ComboBox_GetCurSel(GetDlgItem(dialog, IDC_COM_PORT));
            if (chosen < 0 || chosen >= kPortCount) {
                return;  // nothing chosen: there is no port to open
            }
            port_index_of(dialog) = chosen;
            EndDialog(dialog, 1);
            return;
        }
        case IDCANCEL:
            EndDialog(dialog, 0);
            return;
    }
}

}  // namespace

bool choose_com_port(HINSTANCE instance, HWND owner, int& port_index) {
    return DialogBoxParamA(instance, "ComSettingDlg", owner,
                           CommandDialogProc<on_init_dialog, on_command>,
                           reinterpret_cast<LPARAM>(&port_index)) == 1;
}

}  // namespace tessmar
