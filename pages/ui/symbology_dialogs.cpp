#include "pages/ui/symbology_dialogs.h"

#include <algorithm>

#include "win32/dialog_controls.h"
#include "win32/dialog_procedure.h"

namespace tessmar {
namespace {

// What one run of a dialog works on; it lives on run_symbology_dialog's stack for the dialog's
// whole life.
struct DialogRun {
    HINSTANCE instance;
    BoundWindow controls;
    int focus;  // the control focused first, or 0
};

BOOL on_init_dialog(HWND window, DialogRun& run) {
    run.controls.prepare(window);
    run.controls.show(window);
    run.controls.bind_key_boxes(window, run.instance);
    focus_dialog_control(window, run.focus);
    return TRUE;  // the dialog gives the default focus, which the focus asked for then replaces
}

bool on_command(HWND window, DialogRun& run, int id, UINT code) {
    switch (id) {
        case IDOK:
            run.controls.commit(window);
            EndDialog(window, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(window, 0);
            return TRUE;
    }
    return run.controls.on_command(window, id, code);
}

constexpr DialogHandlers<DialogRun> kHandlers = {.init = on_init_dialog, .command = on_command};

}  // namespace

const SymbologyDialog* symbology_dialog(Symbology symbology) {
    const std::span<const SymbologyDialog> dialogs = symbology_dialogs();
    const auto found = std::find_if(dialogs.begin(), dialogs.end(), [&](const auto& dialog) {
        return dialog.symbology == symbology;
    });
    return found != dialogs.end() ? &*found : nullptr;
}

bool run_symbology_dialog(HWND owner, const PageContext& context, const SymbologyDialog& dialog,
                          int focus) {
    DialogRun run{context.instance, BoundWindow(dialog.controls, *context.state), focus};
    const char* template_name = symbology_info(dialog.symbology).parameter_dialog;
    return run_modal_dialog<DialogRun, kHandlers>(context.instance, template_name, owner, run) == 1;
}

void reset_symbology_dialog_fields(SettingsRecord& record) {
    const SettingsRecord factory = factory_record();
    for (const SymbologyDialog& dialog : symbology_dialogs()) {
        reset_bound_controls(dialog.controls, record, record.bytes, factory.bytes);
    }
}

}  // namespace tessmar
