#include "pages/ui/fields_parameters_dialog.h"

#include <cstdio>
#include <span>
#include <string>

#include <commctrl.h>

#include "pages/editing_format_numbers.h"
#include "pages/ui/editing_format_sheet.h"
#include "pages/ui/field_bindings.h"
#include "pages/ui/key_boxes.h"
#include "resources/resource.h"
#include "win32/dialog_controls.h"
#include "win32/dialog_procedure.h"

namespace tessmar {
namespace {

constexpr KeyBoxSpec kKeyBoxes[] = {{IDC_TERMINATING_STRING, kTerminatingStringOffset, false}};
// The up-down's range; a longer length, up to 65535, can still be typed.
constexpr int kLongestFieldLength = 127;

// The controls that go with each way of dividing the field.
constexpr int kTerminatingStringControls[] = {IDC_INCLUDE_TERMINATING_STRING,
                                              IDC_TERMINATING_STRING};
constexpr int kLengthControls[] = {IDC_FIELD_LENGTH, IDC_FIELD_LENGTH_SPIN};

// What the dialog works on, from DialogBoxParam's parameter to its end.
struct FieldsParameters {
    PageContext context;
    int divider;
    int focus;  // the control focused first, or 0
    KeyBoxes key_boxes{kKeyBoxes};

    std::span<std::uint8_t, kFieldDividerSize> bytes() const {
        return staging_block_bytes(*context.state)
            .subspan(field_divider_offset(divider))
            .first<kFieldDividerSize>();
    }
};

void enable_controls(HWND dialog, std::span<const int> ids, bool enabled) {
    for (const int id : ids) {
        EnableWindow(GetDlgItem(dialog, id), enabled);
    }
}

void divide_by(HWND dialog, bool length) {
    CheckRadioButton(dialog, IDC_DIVIDE_BY_TERMINATING_STRING, IDC_DIVIDE_BY_LENGTH,
                     length ? IDC_DIVIDE_BY_LENGTH : IDC_DIVIDE_BY_TERMINATING_STRING);
    enable_controls(dialog, kTerminatingStringControls, !length);
    enable_controls(dialog, kLengthControls, length);
}

void show_caption(HWND dialog, int divider) {
    char caption[32];
    std::snprintf(caption, sizeof caption, "Field%d Parameters", divider);
    SetWindowTextA(dialog, caption);
}

BOOL on_init_dialog(HWND dialog, FieldsParameters& parameters) {
    show_caption(dialog, parameters.divider);
    const ProgramState& program = *parameters.context.state;
    const FieldDivider divider(parameters.bytes());
    parameters.key_boxes.fill(dialog, parameters.bytes(), program.interface_class);
    SetDlgItemTextA(dialog, IDC_FIELD_LENGTH, std::to_string(divider.field_length()).c_str());
    SendDlgItemMessageA(dialog, IDC_FIELD_LENGTH_SPIN, UDM_SETRANGE, 0,
                        MAKELPARAM(kLongestFieldLength, 0));
    CheckDlgButton(dialog, IDC_INCLUDE_TERMINATING_STRING,
                   divider.include_terminating_string() != 0 ? BST_CHECKED : BST_UNCHECKED);
    divide_by(dialog, divider.field_length() != 0);
    // The box stands after its radio button, which gives no name.
    parameters.key_boxes.bind(
        dialog, parameters.context.instance, program.interface_class, [&](std::size_t) {
            return "Field " + std::to_string(parameters.divider) + " terminating string";
        });
    focus_dialog_control(dialog, parameters.focus);
    return TRUE;  // the dialog gives the default focus, which the focus asked for then replaces
}

// The terminating string and the include flag are taken whichever way the field is divided,
// from the disabled controls too; the length only when the field is divided by length.
void on_ok(HWND dialog, FieldsParameters& parameters) {
    FieldDivider divider(parameters.bytes());
    const bool by_length = IsDlgButtonChecked(dialog, IDC_DIVIDE_BY_LENGTH) == BST_CHECKED;
    divider.set_field_length(
        by_length ? format_number_value(control_text(GetDlgItem(dialog, IDC_FIELD_LENGTH))) : 0);
    parameters.key_boxes.commit(parameters.bytes());
    divider.set_include_terminating_string(
        IsDlgButtonChecked(dialog, IDC_INCLUDE_TERMINATING_STRING) == BST_CHECKED ? 1 : 0);
    EndDialog(dialog, IDOK);
}

bool on_command(HWND dialog, FieldsParameters& parameters, int id, UINT code) {
    if (id == IDC_FIELD_LENGTH) {
        if (code == EN_CHANGE) {
            correct_number_box(dialog, id, "0");
        } else if (code == EN_KILLFOCUS) {
            show_number_within(dialog, id, kMaxFormatNumber);
        }
        return true;
    }
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
        case IDC_DIVIDE_BY_TERMINATING_STRING:
        case IDC_DIVIDE_BY_LENGTH:
            divide_by(dialog, id == IDC_DIVIDE_BY_LENGTH);
            return true;
        case IDC_INCLUDE_TERMINATING_STRING:
            toggle_check_box(dialog, id);
            return true;
        case IDOK:
            on_ok(dialog, parameters);
            return true;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return true;
    }
    return false;
}

constexpr DialogHandlers<FieldsParameters> kHandlers = {.init = on_init_dialog,
                                                        .command = on_command};

}  // namespace

bool run_fields_parameters(HWND owner, const PageContext& context, int divider, int focus) {
    FieldsParameters parameters{context, divider, focus};
    return run_modal_dialog<FieldsParameters, kHandlers>(context.instance, "FIELDSDLG", owner,
                                                         parameters) == IDOK;
}

}  // namespace tessmar
