#include "app/about_box.h"

#include "win32/dialog_procedure.h"

namespace tessmar {
namespace {

// The box shows only what its template holds.
struct AboutBox {};

bool on_command(HWND dialog, AboutBox&, int id, UINT) {
    if (id != IDOK && id != IDCANCEL) {
        return false;
    }
    EndDialog(dialog, 1);
    return true;
}

constexpr DialogHandlers<AboutBox> kHandlers = {.command = on_command};

}  // namespace

void show_about_box(HINSTANCE instance, HWND owner) {
    AboutBox box;
    run_modal_dialog<AboutBox, kHandlers>(instance, "AboutBox", owner, box);
}

}  // namespace tessmar
