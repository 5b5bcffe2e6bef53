// "Field Settings": the number of fields, the divider that ends each field but the last, and the
// five additional fields.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string>

#include "pages/editing_format_numbers.h"
#include "pages/ui/editing_format_pages.h"
#include "pages/ui/editing_format_sheet.h"
#include "pages/ui/field_bindings.h"
#include "pages/ui/fields_parameters_dialog.h"
#include "pages/ui/reader_page.h"
#include "resources/resource.h"
#include "win32/dialog_controls.h"

namespace tessmar {
namespace {

constexpr std::array<KeyBoxSpec, kAdditionalFields> kKeyBoxes = [] {
    std::array<KeyBoxSpec, kAdditionalFields> boxes{};
    for (int a = 1; a <= kAdditionalFields; ++a) {
        boxes[static_cast<std::size_t>(a - 1)] = {IDC_ADDITIONAL_FIELD_FIRST + a - 1,
                                                  additional_field_offset(a)};
    }
    return boxes;
}();

// "Field 1" to "Field `count`" enabled, the others disabled.
void enable_field_buttons(HWND page, int count) {
    for (int m = 1; m <= kFieldDividers; ++m) {
        EnableWindow(GetDlgItem(page, IDC_FIELD_BUTTON_FIRST + m - 1), m <= count);
    }
}

void prepare(HWND page, PageState<>&) {
    SendDlgItemMessageA(page, IDC_NUMBER_OF_FIELDS_SPIN, UDM_SETRANGE, 0,
                        MAKELPARAM(kMaxFields, 1));
}

void fill(HWND page, PageState<>& state) {
    const unsigned minus_1 = staging_block(state.program()).number_of_fields_minus_1();
    SetDlgItemTextA(page, IDC_NUMBER_OF_FIELDS, std::to_string(minus_1 + 1).c_str());
    enable_field_buttons(page, static_cast<int>(std::min<unsigned>(minus_1, kFieldDividers)));
}

// Every change of the number, typed or made by the arrows, enables the buttons at once. A number
// above 6 counts as 6, and shows so once the box is left.
bool command(HWND page, PageState<>& state, int id, UINT code) {
    if (id == IDC_NUMBER_OF_FIELDS) {
        if (code == EN_KILLFOCUS) {
            show_number_within(page, id, kMaxFields);
        }
        enable_field_buttons(
            page, enabled_field_buttons(control_text(GetDlgItem(page, IDC_NUMBER_OF_FIELDS))));
        return true;
    }
    const int divider = id - IDC_FIELD_BUTTON_FIRST + 1;
    if (divider < 1 || divider > kFieldDividers) {
        return false;
    }
    if (code == BN_CLICKED) {
        run_fields_parameters(page, state.context(), divider);
    }
    return true;
}

// A divider's setting is reached through its field's button.
bool open_route(HWND page, PageState<>& state, const SettingRoute& route) {
    if (route.field_divider < 1 || route.field_divider > kFieldDividers) {
        return false;
    }
    run_fields_parameters(page, state.context(), route.field_divider, route.control.id);
    return true;
}

// A number of fields of 0, or no number, leaves the block's number as it was.
void commit(HWND page, PageState<>& state) {
    if (const auto minus_1 =
            number_of_fields_minus_1(control_text(GetDlgItem(page, IDC_NUMBER_OF_FIELDS)))) {
        staging_block(state.program()).set_number_of_fields_minus_1(*minus_1);
    }
}

const PageDescription<> kDescription = {
    .controls = {.key_boxes = kKeyBoxes},
    .prepare = prepare,
    .fill = fill,
    .command = command,
    .commit = commit,
    .open_route = open_route,
};

}  // namespace

INT_PTR CALLBACK FieldSettingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderPageProc<kDescription>(page, message, wParam, lParam);
}

}  // namespace tessmar
