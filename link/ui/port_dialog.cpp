#include "link/ui/port_dialog.h"

#include <windowsx.h>

#include "resources/resource.h"
#include "win32/dialog_procedure.h"

namespace tessmar {
namespace {

// The port chosen, read and written by the dialog.
struct PortChoice {
    int& index;
};

BOOL on_init_dialog(HWND dialog, PortChoice& choice) {
    HWND list = GetDlgItem(dialog, IDC_COM_PORT);
    for (const char* name : kPortNames) {
        ComboBox_AddString(list, name);
    }
    ComboBox_SetCurSel(list, choice.index);
    return TRUE;
}

bool on_command(HWND dialog, PortChoice& choice, int id, UINT) {
    switch (id) {
        case IDOK: {
            const int chosen = ComboBox_GetCurSel(GetDlgItem(dialog, IDC_COM_PORT));
            if (chosen >= 0 && chosen < kPortCount) {  // else there is no port to open
                choice.index = chosen;
                EndDialog(dialog, 1);
            }
            return true;
        }
        case IDCANCEL:
            EndDialog(dialog, 0);
            return true;
    }
    return false;
}

constexpr DialogHandlers<PortChoice> kHandlers = {.init = on_init_dialog, .command = on_command};

}  // namespace

bool choose_com_port(HINSTANCE instance, HWND owner, int& port_index) {
    PortChoice choice{port_index};
    return run_modal_dialog<PortChoice, kHandlers>(instance, "ComSettingDlg", owner, choice) == 1;
}

}  // namespace tessmar
