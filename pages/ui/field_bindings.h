// A dialog's controls bound to record fields, written once as a table: filling, committing and
// Reset all loop over it. Only what does not fit a table gets code of its own.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "model/settings_record.h"
#include "model/symbologies.h"
#include "model/value_texts.h"

namespace tessmar {

enum class ControlKind {
    check_box,      // checked when the field is not 0; the dialog toggles it itself
    drop_down,      // the selected index is the field's value
    skip_one_list,  // three items that store 0, 2 and 3 (capital lock type, digits layout)
    number,         // a decimal edit box, 0 to the field's maximum, with an optional up-down
    radio_group,    // radios `control` to `control` + n - 1 stand for the values 0 to n - 1
    length_pair,    // a length qualification: its mode radios from `control` and two length boxes
};

struct FieldBinding {
    int control;  // a radio group's first radio
    Field field;
    ControlKind kind;
    TextList items = {};        // a list's items
    int up_down = 0;            // a number box's up-down control, if it has one
    int radios = 0;             // a radio group's number of radios
    LengthFields lengths = {};  // a length pair's fields; `field` is its mode
};

// A self-toggled check box on one bit of the bytes a dialog edits, where no record field names
// the bit (the code types of an editing format's block).
struct BitBinding {
    int control;
    std::size_t offset;
    std::uint8_t bit;
};

namespace bind {
constexpr FieldBinding check_box(int control, Field field) {
    return {control, field, ControlKind::check_box};
}
constexpr FieldBinding list(int control, Field field, TextList items) {
    return {control, field, ControlKind::drop_down, items};
}
constexpr FieldBinding skip_one_list(int control, Field field, TextList items) {
    return {control, field, ControlKind::skip_one_list, items};
}
constexpr FieldBinding number(int control, Field field, int up_down = 0) {
    return {control, field, ControlKind::number, {}, up_down};
}
constexpr FieldBinding radios(int first, int count, Field field) {
    return {first, field, ControlKind::radio_group, {}, 0, count};
}
// "Fixed Length" is `fixed_radio`, "Max / Min Length" the next id.
constexpr FieldBinding length_pair(int fixed_radio, LengthFields fields) {
    return {fixed_radio, fields.mode, ControlKind::length_pair, {}, 0, 2, fields};
}
}  // namespace bind

// Once, when the dialog is created: list items and up-down ranges.
void prepare_controls(HWND dialog, std::span<const FieldBinding> bindings);

// Shows the fields' values. A value that has no list item or radio shows none selected.
void show_fields(HWND dialog, std::span<const FieldBinding> bindings, const SettingsRecord& record);

// Writes the controls into their fields, keeping every other bit of each byte. A list or radio
// group with nothing selected leaves its field as it was; a number box writes 0 when empty or
// unreadable and the field's maximum when the number is larger; a length pair writes as
// commit_length_pair does.
void commit_fields(HWND dialog, std::span<const FieldBinding> bindings, SettingsRecord& record);

// Checks each bit's box when its bit is 1, and writes each box into its bit alone.
void show_bits(HWND dialog, std::span<const BitBinding> bits, std::span<const std::uint8_t> bytes);
void commit_bits(HWND dialog, std::span<const BitBinding> bits, std::span<std::uint8_t> bytes);

// Puts the fields back to their factory values, and the bits to those of `factory`.
void reset_fields(std::span<const FieldBinding> bindings, SettingsRecord& record);
void reset_bits(std::span<const BitBinding> bits, std::span<std::uint8_t> bytes,
                std::span<const std::uint8_t> factory);

// A bound control's own reaction to a notification: a check box toggles, a clicked radio becomes
// the only one checked in its group, a number box's text that is no number becomes "0", and a
// number box left with a number above the field's maximum shows that maximum; a length pair
// reacts as on_length_pair_control does. True when it reacted; other notifications (a list's
// change, say) are left to the dialog.
bool on_bound_control(HWND dialog, std::span<const FieldBinding> bindings, int id, UINT code);

// A bit's box toggles when clicked; true when `id` is one of them.
bool on_bound_bit(HWND dialog, std::span<const BitBinding> bits, int id, UINT code);

// After a change of a numeric box's text: replaces text that is not a number with `fallback`.
void correct_number_box(HWND dialog, int id, const char* fallback);

// Once the user leaves a numeric box: a number above `max` is shown as `max`, which OK stores.
// Not while typing, so the text never changes under the user's fingers.
void show_number_within(HWND dialog, int id, unsigned max);

}  // namespace tessmar
