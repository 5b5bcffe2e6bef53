// A page's controls bound to record fields, written once as a table: filling, committing and
// Reset all loop over it. Only what does not fit a table gets code of its own.
#pragma once

#include <windows.h>

#include <span>

#include "model/settings_record.h"
#include "model/value_texts.h"

namespace tessmar {

enum class ControlKind {
    check_box,  // checked when the field is 1; the page toggles it itself
    drop_down,  // the selected index is the field's value
    number,     // a decimal edit box with an up-down control, 0 to the field's maximum
};

struct FieldBinding {
    int control;
    Field field;
    ControlKind kind;
    TextList items = {};  // a drop-down list's items, in value order
    int up_down = 0;      // a number box's up-down control
};

// Once, when the page is created: list items and up-down ranges.
void prepare_controls(HWND page, std::span<const FieldBinding> bindings);

// Shows the fields' values. A value that has no list item leaves the list with no selection.
void show_fields(HWND page, std::span<const FieldBinding> bindings, const SettingsRecord& record);

// Writes the controls into their fields, keeping every other bit of each byte. A list with no
// selection leaves its field as it was; a number box writes 0 when empty or unreadable and the
// field's maximum when the number is larger.
void commit_fields(HWND page, std::span<const FieldBinding> bindings, SettingsRecord& record);

// Puts the fields back to their factory values.
void reset_fields(std::span<const FieldBinding> bindings, SettingsRecord& record);

// The binding of a control, or null.
const FieldBinding* binding_of(std::span<const FieldBinding> bindings, int control);

}  // namespace tessmar
