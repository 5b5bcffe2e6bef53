#include "pages/key_grid_rules.h"

#include <algorithm>

namespace tessmar {
namespace {

constexpr unsigned kModifierMask = (1u << kModifierFlagCount) - 1;
constexpr int kHeaderCells = 1;

std::uint8_t cell_code(KeyGridCell cell) {
    return static_cast<std::uint8_t>(cell.column * kKeyGridRows + cell.row);
}

bool inside_table(KeyStringForm form, KeyGridCell cell) {
    return cell.column >= 0 && cell.column < key_grid_columns(form) && cell.row >= 0 &&
           cell.row < kKeyGridRows;
}

// The bytes the existing value's text shows. A scan-code value cut inside a pair keeps its whole
// pairs only, so that the next pick's pair starts where the value's pairs left off.
std::size_t seeded_length(KeyStringForm form, std::size_t rendered_length) {
    return form == KeyStringForm::scan_code ? rendered_length - rendered_length % 2
                                            : rendered_length;
}

void empty_result(KeyGridState& state) {
    state.result.fill(0);
    state.length = 0;
}

}  // namespace

KeyGridState open_key_grid(KeyString value, InterfaceClass interface_class) {
    const KeyStringRendering existing =
        render_key_string(value, kKeyStringMaxBytes, interface_class);
    KeyGridState state;
    state.form = key_string_form(value, interface_class);
    state.modifiers = existing.modifiers;
    state.length = seeded_length(state.form, existing.length);
    std::copy_n(value.begin(), state.length, state.result.begin());
    return state;
}

std::string key_grid_text(const KeyGridState& state) {
    const InterfaceClass interface_class = state.form == KeyStringForm::character
                                               ? InterfaceClass::rs232
                                               : InterfaceClass::keyboard_wedge;
    return key_string_text(state.result, interface_class);
}

int key_grid_columns(KeyStringForm form) {
    switch (form) {
        case KeyStringForm::character:
            return 8;
        case KeyStringForm::normal_key:
            return 9;
        case KeyStringForm::scan_code:
            return 16;
    }
    return 0;
}

bool key_grid_shows_key_controls(KeyStringForm form, bool binding_offers_them) {
    return form != KeyStringForm::character && binding_offers_them;
}

std::vector<std::uint8_t> key_grid_pick_bytes(KeyStringForm form, unsigned modifiers,
                                              std::uint8_t code) {
    std::vector<std::uint8_t> bytes;
    if (form == KeyStringForm::scan_code) {
        bytes.push_back(kScanCodeMarker);
    } else if (form == KeyStringForm::normal_key && (modifiers & kModifierMask) != 0) {
        bytes.push_back(static_cast<std::uint8_t>(kScanCodeMarker + (modifiers & kModifierMask)));
    }
    bytes.push_back(code);
    return bytes;
}

PickOutcome pick_key(KeyGridState& state, KeyGridCell cell) {
    if (!inside_table(state.form, cell)) {
        return PickOutcome::ignored;
    }
    state.selected = cell;
    const std::uint8_t code = cell_code(cell);
    if (code == 0) {
        return PickOutcome::ignored;
    }
    const std::vector<std::uint8_t> bytes = key_grid_pick_bytes(state.form, state.modifiers, code);
    if (state.length + bytes.size() > kKeyStringMaxBytes) {
        return PickOutcome::too_many;
    }
    std::copy(bytes.begin(), bytes.end(), state.result.begin() + state.length);
    state.length += bytes.size();
    return PickOutcome::appended;
}

void choose_key_type(KeyGridState& state, bool scan_codes) {
    if (state.form == KeyStringForm::character) {
        return;
    }
    state.form = scan_codes ? KeyStringForm::scan_code : KeyStringForm::normal_key;
    empty_result(state);
    state.selected = {};
}

void clear_key_grid(KeyGridState& state, bool binding_offers_key_type) {
    empty_result(state);
    if (binding_offers_key_type) {
        return;
    }
    state.modifiers = 0;
    if (state.form == KeyStringForm::scan_code) {
        state.form = KeyStringForm::normal_key;
        state.selected = {};  // the selection may lie past the normal-key table
    }
}

void toggle_modifier(KeyGridState& state, unsigned flag_index) {
    if (flag_index < kModifierFlagCount) {
        state.modifiers ^= 1u << flag_index;
    }
}

bool modifier_set(const KeyGridState& state, unsigned flag_index) {
    return flag_index < kModifierFlagCount && (state.modifiers & (1u << flag_index)) != 0;
}

KeyGridMetrics key_grid_metrics(KeyStringForm form, int client_width, int client_height) {
    const int columns = key_grid_columns(form);
    return {columns, std::max(client_width, 0) / (columns + kHeaderCells),
            std::max(client_height, 0) / (kKeyGridRows + kHeaderCells)};
}

std::optional<KeyGridCell> key_grid_hit(const KeyGridMetrics& metrics, int x, int y) {
    // A client too small to hold a pixel per cell has no cells.
    if (metrics.cell_width <= 0 || metrics.cell_height <= 0 || x < 0 || y < 0) {
        return std::nullopt;
    }
    const int column = x / metrics.cell_width;
    const int row = y / metrics.cell_height;
    if (column < kHeaderCells || column > metrics.columns || row < kHeaderCells ||
        row > kKeyGridRows) {
        return std::nullopt;
    }
    return KeyGridCell{column - kHeaderCells, row - kHeaderCells};
}

GridRect key_grid_cell_box(const KeyGridMetrics& metrics, KeyGridCell cell) {
    const int left = metrics.cell_width * (cell.column + kHeaderCells);
    const int top = metrics.cell_height * (cell.row + kHeaderCells);
    return {left, top, left + metrics.cell_width + 1, top + metrics.cell_height + 1};
}

GridRect key_grid_selection_fill(const KeyGridMetrics& metrics, KeyGridCell cell) {
    const GridRect box = key_grid_cell_box(metrics, cell);
    return {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
}

std::string key_grid_column_header(int column) {
    return scan_code_label(static_cast<std::uint8_t>(column * kKeyGridRows));
}

std::string key_grid_row_header(int row) {
    return scan_code_label(static_cast<std::uint8_t>(row));
}

std::string key_grid_cell_label(KeyStringForm form, KeyGridCell cell) {
    return key_label(form, cell_code(cell));
}

}  // namespace tessmar
