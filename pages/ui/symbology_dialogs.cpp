#include "pages/ui/symbology_dialogs.h"

#include <algorithm>

#include "win32/dialog_procedure.h"

namespace tessmar {
namespace {

// What one run of a dialog works on; it lives on run_symbology_dialog's stack for the dialog's
// whole life.
struct DialogRun {
    PageContext context;
    const SymbologyDialog& dialog;
    // The staging copies of the dialog's key strings.
    KeyBoxes key_boxes;

    ProgramState& program() const { return *context.state; }
};

BOOL on_init_dialog(HWND window, DialogRun& run) {
    const SymbologyDialog& dialog = run.dialog;
    ProgramState& program = run.program();
    prepare_controls(window, dialog.fields);
    show_fields(window, dialog.fields, program.record);
    if (dialog.lengths) {
        show_length_pair(window, *dialog.lengths, program.record);
    }
    run.key_boxes.fill(window, program.record.bytes, program.interface_class);
    run.key_boxes.bind(window, run.context.instance, program.interface_class);
    return TRUE;  // the dialog gives the default focus
}

void on_ok(HWND window, DialogRun& run) {
    SettingsRecord& record = run.program().record;
    commit_fields(window, run.dialog.fields, record);
    if (run.dialog.lengths) {
        commit_length_pair(window, *run.dialog.lengths, record);
    }
    run.key_boxes.commit(record.bytes);
    EndDialog(window, 1);
}

bool on_command(HWND window, DialogRun& run, int id, UINT code) {
    switch (id) {
        case IDOK:
            on_ok(window, run);
            return TRUE;
        case IDCANCEL:
            EndDialog(window, 0);
            return TRUE;
    }
    if (on_bound_control(window, run.dialog.fields, id, code)) {
        return TRUE;
    }
    return run.dialog.lengths && on_length_pair_control(window, *run.dialog.lengths, id, code);
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

bool run_symbology_dialog(HWND owner, const PageContext& context, const SymbologyDialog& dialog) {
    DialogRun run{context, dialog, KeyBoxes(dialog.key_boxes)};
    const char* template_name = symbology_info(dialog.symbology).parameter_dialog;
    return run_modal_dialog<DialogRun, kHandlers>(context.instance, template_name, owner, run) == 1;
}

void reset_symbology_dialog_fields(SettingsRecord& record) {
    const SettingsRecord factory = factory_record();
    for (const SymbologyDialog& dialog : symbology_dialogs()) {
        reset_fields(dialog.fields, record);
        reset_key_strings(dialog.key_boxes, record.bytes, factory.bytes);
        if (dialog.lengths) {
            reset_length_pair(*dialog.lengths, record);
        }
    }
}

}  // namespace tessmar
