// The key entry grid's rules, apart from its window: the grid's geometry and labels in each form,
// the bytes a pick appends, and the value being built. The dialog holds one KeyGridState, moves
// it to and from its controls and paints it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/key_string.h"

namespace tessmar {

// A code cell, 0-based: column c and row r stand for the code c x 16 + r.
struct KeyGridCell {
    int column = 0;
    int row = 0;
    bool operator==(const KeyGridCell&) const = default;
};

struct KeyGridState {
    // The form of the table on show: character form with RS-232 and wand emulation, otherwise
    // normal keys or scan codes as the user chose.
    KeyStringForm form = KeyStringForm::normal_key;
    // The value being built, and its byte count; every byte from `length` on is 0.
    KeyStringBuffer result{};
    std::size_t length = 0;
    // Modifier flags given to the next key picked in normal-key form.
    unsigned modifiers = 0;
    KeyGridCell selected;
};

// The state when the grid opens on `value`: its bytes, form and modifier flags come from the
// value, so OK with nothing picked keeps it.
KeyGridState open_key_grid(KeyString value, InterfaceClass interface_class);

// 8 columns of characters, 9 of normal keys, 16 of scan codes; always 16 rows.
int key_grid_columns(KeyStringForm form);
inline constexpr int kKeyGridRows = 16;

// The text shown under "Resulting text :", which the box takes on OK: always the rendering of
// the bytes built, so it never shows a key the value does not hold.
std::string key_grid_text(const KeyGridState& state);

// Whether "Key Type" and "Key Status" are shown: never in character form.
bool key_grid_shows_key_controls(KeyStringForm form, bool binding_offers_them);

// What a pick appends: in scan-code form 0xC0 and the code; in normal-key form the modifier byte
// (0xC0 + flags) when any flag is set, then the code; in character form the code alone.
std::vector<std::uint8_t> key_grid_pick_bytes(KeyStringForm form, unsigned modifiers,
                                              std::uint8_t code);

enum class PickOutcome {
    appended,
    too_many,  // the bytes would pass the ten-byte limit: the value is left as it was
    ignored,   // the 0x00 cell, which would end the string while the text went on
};

// Selects `cell` and appends its key to the value. A cell outside the form's table
// changes nothing and is ignored.
PickOutcome pick_key(KeyGridState& state, KeyGridCell cell);

// "Scan Code" (true) or "Normal Key" (false): the value starts afresh in that form, the selection
// goes back to the first cell, the modifier flags stay. Nothing changes in character form.
void choose_key_type(KeyGridState& state, bool scan_codes);

// "Clear": empties the value. Where the binding offers "Key Type" and "Key Status" the selection,
// form and modifiers stay, as the user sees and sets them. Where it does not, the form and
// modifiers that the old value brought go too, since they could never be changed: the grid is as
// it opens on an empty value, normal keys without modifiers.
void clear_key_grid(KeyGridState& state, bool binding_offers_key_type);

// "Add Shift" (0) to "Add Break" (5).
void toggle_modifier(KeyGridState& state, unsigned flag_index);
bool modifier_set(const KeyGridState& state, unsigned flag_index);

// The grid's layout in a client area of the given size: a header row and column, then the code
// cells, each cell (client width div (columns + 1)) by (client height div 17) pixels. What is left
// over at the right and bottom belongs to no cell.
struct KeyGridMetrics {
    int columns = 0;
    int cell_width = 0;
    int cell_height = 0;
};
KeyGridMetrics key_grid_metrics(KeyStringForm form, int client_width, int client_height);

// The code cell under a client point; none on the headers, in the leftover strip, or outside.
std::optional<KeyGridCell> key_grid_hit(const KeyGridMetrics& metrics, int x, int y);

// A rectangle in client pixels, right and bottom exclusive.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const GridRect&) const = default;
};
// A code cell between its grid lines, both lines included.
GridRect key_grid_cell_box(const KeyGridMetrics& metrics, KeyGridCell cell);
// The selected cell's fill: one pixel inside its grid lines on every side.
GridRect key_grid_selection_fill(const KeyGridMetrics& metrics, KeyGridCell cell);

// Headers "00", "10", ... over the columns and "00" to "0F" beside the rows.
std::string key_grid_column_header(int column);
std::string key_grid_row_header(int row);
// A cell's label in the form's table; empty for codes the table leaves blank.
std::string key_grid_cell_label(KeyStringForm form, KeyGridCell cell);

}  // namespace tessmar
