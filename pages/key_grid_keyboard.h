// Key strings from the keyboard: a character typed into a key-entry box or the grid stands for its
// cell and goes through the grid's own pick, Backspace takes back the last key whole, and the
// grid's selection moves by arrows, Home, End, Page Up and Page Down.
#pragma once

#include <optional>
#include <string>

#include "pages/key_grid_rules.h"

namespace tessmar {

// The cell a typed character stands for: its own code in character and normal-key form, for
// the printable characters only. Scan codes are no characters.
std::optional<KeyGridCell> key_grid_cell_of(KeyStringForm form, char character);

// A character typed into a key-entry box: its key appended to `value` in the value's form,
// with no modifier, as a pick of its cell in the grid opened on `value` would append it.
// `ignored` when the character has no cell in that form.
PickOutcome type_key(KeyStringBuffer& value, InterfaceClass interface_class, char character);

// Backspace: takes back the last key built, with its modifier byte, or the last scan-code pair.
void remove_last_picked_key(KeyGridState& state);
// The same in a key-entry box, on the value it holds.
void remove_last_key(KeyStringBuffer& value, InterfaceClass interface_class);

enum class GridMove { left, right, up, down, row_start, row_end, first_row, last_row };

// Where the selection goes; it stops at the table's edges.
KeyGridCell move_selection(KeyGridCell cell, KeyStringForm form, GridMove move);

// What a screen reader says of a cell: "Row 2, column 5, A"; "no key" for a blank cell.
std::string key_grid_cell_description(KeyStringForm form, KeyGridCell cell);

}  // namespace tessmar
