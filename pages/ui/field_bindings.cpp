#include "pages/ui/field_bindings.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "model/program_state.h"
#include "pages/number_text.h"
#include "pages/ui/length_pair.h"
#include "pages/skip_one_code.h"
#include "win32/dialog_controls.h"

namespace tessmar {
namespace {

bool in_radio_group(const FieldBinding& binding, int id) {
    return (binding.kind == ControlKind::radio_group || binding.kind == ControlKind::length_pair) &&
           id >= binding.control && id < binding.control + binding.radios;
}

// The binding `id` belongs to, or null.
const FieldBinding* binding_of(std::span<const FieldBinding> bindings, int id) {
    for (const FieldBinding& binding : bindings) {
        if (binding.control == id || in_radio_group(binding, id) ||
            (binding.kind == ControlKind::length_pair && is_length_box(id))) {
            return &binding;
        }
    }
    return nullptr;
}

// The list item a stored value selects, or -1 for none.
int list_index(const FieldBinding& binding, unsigned value) {
    const unsigned index =
        binding.kind == ControlKind::skip_one_list ? skip_one_index(value) : value;
    return index < binding.items.size() ? static_cast<int>(index) : -1;
}

void show_radio(HWND dialog, const FieldBinding& binding, unsigned value) {
    for (int i = 0; i < binding.radios; ++i) {
        CheckDlgButton(dialog, binding.control + i,
                       static_cast<unsigned>(i) == value ? BST_CHECKED : BST_UNCHECKED);
    }
}

// The index of the checked radio, or -1 when none is.
int checked_radio(HWND dialog, const FieldBinding& binding) {
    for (int i = 0; i < binding.radios; ++i) {
        if (IsDlgButtonChecked(dialog, binding.control + i) == BST_CHECKED) {
            return i;
        }
    }
    return -1;
}

}  // namespace

void prepare_controls(HWND dialog, std::span<const FieldBinding> bindings) {
    for (const FieldBinding& binding : bindings) {
        HWND control = GetDlgItem(dialog, binding.control);
        if (binding.kind == ControlKind::drop_down || binding.kind == ControlKind::skip_one_list) {
            ComboBox_ResetContent(control);
            for (const char* item : binding.items) {
                ComboBox_AddString(control, item);
            }
        } else if (binding.kind == ControlKind::number && binding.up_down != 0) {
            SendDlgItemMessageA(dialog, binding.up_down, UDM_SETRANGE32, 0,
                                field_layout(binding.field).max_value());
        }
    }
}

void show_fields(HWND dialog, std::span<const FieldBinding> bindings,
                 const SettingsRecord& record) {
    for (const FieldBinding& binding : bindings) {
        HWND control = GetDlgItem(dialog, binding.control);
        const unsigned value = record.get(binding.field);
        switch (binding.kind) {
            case ControlKind::check_box:
                Button_SetCheck(control, value != 0 ? BST_CHECKED : BST_UNCHECKED);
                break;
            case ControlKind::drop_down:
            case ControlKind::skip_one_list:
                ComboBox_SetCurSel(control, list_index(binding, value));
                break;
            case ControlKind::number:
                SetWindowTextA(control, std::to_string(value).c_str());
                break;
            case ControlKind::radio_group:
                show_radio(dialog, binding, value);
                break;
            case ControlKind::length_pair:
                show_length_pair(dialog, binding, record);
                break;
        }
    }
}

void commit_fields(HWND dialog, std::span<const FieldBinding> bindings, SettingsRecord& record) {
    for (const FieldBinding& binding : bindings) {
        HWND control = GetDlgItem(dialog, binding.control);
        switch (binding.kind) {
            case ControlKind::check_box:
                record.set(binding.field, Button_GetCheck(control) == BST_CHECKED ? 1 : 0);
                break;
            case ControlKind::drop_down:
            case ControlKind::skip_one_list: {
                const int selected = ComboBox_GetCurSel(control);
                if (selected == CB_ERR) {
                    break;
                }
                const auto index = static_cast<unsigned>(selected);
                record.set(binding.field, binding.kind == ControlKind::skip_one_list
                                              ? skip_one_value(index)
                                              : index);
                break;
            }
            case ControlKind::number:
                record.set(binding.field,
                           number_box_value(control_text(control),
                                            field_layout(binding.field).max_value()));
                break;
            case ControlKind::radio_group:
                if (const int checked = checked_radio(dialog, binding); checked >= 0) {
                    record.set(binding.field, static_cast<unsigned>(checked));
                }
                break;
            case ControlKind::length_pair:
                commit_length_pair(dialog, binding, record);
                break;
        }
    }
}

void show_bits(HWND dialog, std::span<const BitBinding> bits, std::span<const std::uint8_t> bytes) {
    for (const BitBinding& bit : bits) {
        const bool set = (bytes[bit.offset] >> bit.bit) & 1u;
        CheckDlgButton(dialog, bit.control, set ? BST_CHECKED : BST_UNCHECKED);
    }
}

void commit_bits(HWND dialog, std::span<const BitBinding> bits, std::span<std::uint8_t> bytes) {
    for (const BitBinding& bit : bits) {
        const auto mask = static_cast<std::uint8_t>(1u << bit.bit);
        const bool set = IsDlgButtonChecked(dialog, bit.control) == BST_CHECKED;
        bytes[bit.offset] =
            static_cast<std::uint8_t>(set ? bytes[bit.offset] | mask : bytes[bit.offset] & ~mask);
    }
}

void reset_fields(std::span<const FieldBinding> bindings, SettingsRecord& record) {
    const SettingsRecord factory = factory_record();
    for (const FieldBinding& binding : bindings) {
        record.set(binding.field, factory.get(binding.field));
        if (binding.kind == ControlKind::length_pair) {
            for (const Field field : {binding.lengths.first, binding.lengths.second}) {
                record.set(field, factory.get(field));
            }
        }
    }
}

void reset_bits(std::span<const BitBinding> bits, std::span<std::uint8_t> bytes,
                std::span<const std::uint8_t> factory) {
    for (const BitBinding& bit : bits) {
        const auto mask = static_cast<std::uint8_t>(1u << bit.bit);
        bytes[bit.offset] =
            static_cast<std::uint8_t>((bytes[bit.offset] & ~mask) | (factory[bit.offset] & mask));
    }
}

bool on_bound_control(HWND dialog, std::span<const FieldBinding> bindings, int id, UINT code) {
    const FieldBinding* binding = binding_of(bindings, id);
    if (!binding) {
        return false;
    }
    if (binding->kind == ControlKind::length_pair) {
        return on_length_pair_control(dialog, *binding, id, code);
    }
    if (binding->kind == ControlKind::check_box && code == BN_CLICKED) {
        toggle_check_box(dialog, id);
        return true;
    }
    if (binding->kind == ControlKind::radio_group && code == BN_CLICKED) {
        CheckRadioButton(dialog, binding->control, binding->control + binding->radios - 1, id);
        return true;
    }
    if (binding->kind == ControlKind::number && code == EN_CHANGE) {
        correct_number_box(dialog, id, "0");
        return true;
    }
    if (binding->kind == ControlKind::number && code == EN_KILLFOCUS) {
        show_number_within(dialog, id, field_layout(binding->field).max_value());
        return true;
    }
    return false;
}

bool on_bound_bit(HWND dialog, std::span<const BitBinding> bits, int id, UINT code) {
    for (const BitBinding& bit : bits) {
        if (bit.control == id) {
            if (code == BN_CLICKED) {
                toggle_check_box(dialog, id);
            }
            return true;
        }
    }
    return false;
}

void correct_number_box(HWND dialog, int id, const char* fallback) {
    HWND box = GetDlgItem(dialog, id);
    if (number_text_needs_fallback(control_text(box))) {
        SetWindowTextA(box, fallback);
    }
}

void show_number_within(HWND dialog, int id, unsigned max) {
    HWND box = GetDlgItem(dialog, id);
    if (const auto shown = number_shown_on_leaving(control_text(box), max)) {
        SetWindowTextA(box, std::to_string(*shown).c_str());
    }
}

}  // namespace tessmar
