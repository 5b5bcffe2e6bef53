#include "pages/field_bindings.h"

#include <commctrl.h>
#include <windowsx.h>

#include "model/program_state.h"
#include "pages/number_text.h"
#include "pages/page_support.h"

namespace tessmar {

void prepare_controls(HWND page, std::span<const FieldBinding> bindings) {
    for (const FieldBinding& binding : bindings) {
        HWND control = GetDlgItem(page, binding.control);
        if (binding.kind == ControlKind::drop_down) {
            ComboBox_ResetContent(control);
            for (const char* item : binding.items) {
                ComboBox_AddString(control, item);
            }
        } else if (binding.kind == ControlKind::number && binding.up_down != 0) {
            SendDlgItemMessageA(page, binding.up_down, UDM_SETRANGE32, 0,
                                field_layout(binding.field).max_value());
        }
    }
}

void show_fields(HWND page, std::span<const FieldBinding> bindings, const SettingsRecord& record) {
    for (const FieldBinding& binding : bindings) {
        HWND control = GetDlgItem(page, binding.control);
        const unsigned value = record.get(binding.field);
        switch (binding.kind) {
            case ControlKind::check_box:
                Button_SetCheck(control, value == 1 ? BST_CHECKED : BST_UNCHECKED);
                break;
            case ControlKind::drop_down:
                ComboBox_SetCurSel(control,
                                   value < binding.items.size() ? static_cast<int>(value) : -1);
                break;
            case ControlKind::number:
                SetWindowTextA(control, std::to_string(value).c_str());
                break;
        }
    }
}

void commit_fields(HWND page, std::span<const FieldBinding> bindings, SettingsRecord& record) {
    for (const FieldBinding& binding : bindings) {
        HWND control = GetDlgItem(page, binding.control);
        switch (binding.kind) {
            case ControlKind::check_box:
                record.set(binding.field, Button_GetCheck(control) == BST_CHECKED ? 1 : 0);
                break;
            case ControlKind::drop_down: {
                const int selected = ComboBox_GetCurSel(control);
                if (selected != CB_ERR) {
                    record.set(binding.field, static_cast<unsigned>(selected));
                }
                break;
            }
            case ControlKind::number: {
                record.set(binding.field,
                           number_box_value(control_text(control),
                                            field_layout(binding.field).max_value()));
                break;
            }
        }
    }
}

void reset_fields(std::span<const FieldBinding> bindings, SettingsRecord& record) {
    const SettingsRecord factory = factory_record();
    for (const FieldBinding& binding : bindings) {
        record.set(binding.field, factory.get(binding.field));
    }
}

const FieldBinding* binding_of(std::span<const FieldBinding> bindings, int control) {
    for (const FieldBinding& binding : bindings) {
        if (binding.control == control) {
            return &binding;
        }
    }
    return nullptr;
}

}  // namespace tessmar
