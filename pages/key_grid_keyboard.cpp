#include "pages/key_grid_keyboard.h"

#include <algorithm>

namespace tessmar {
namespace {

constexpr char kFirstPrintable = ' ';
constexpr char kLastPrintable = '~';

// Where the key that ends the first `length` bytes starts: keys are read from the first byte,
// since a byte of 0xC1 or more stands for a modifier only in key position.
std::size_t last_key_start(const KeyStringBuffer& bytes, std::size_t length, KeyStringForm form) {
    std::size_t start = 0;
    for (std::size_t next = 0; next < length;) {
        start = next;
        const bool pair = form == KeyStringForm::scan_code ||
                          (form == KeyStringForm::normal_key && bytes[next] >= kFirstModifierByte);
        next += pair ? 2 : 1;
    }
    return start;
}

}  // namespace

std::optional<KeyGridCell> key_grid_cell_of(KeyStringForm form, char character) {
    if (form == KeyStringForm::scan_code || character < kFirstPrintable ||
        character > kLastPrintable) {
        return std::nullopt;
    }
    const auto code = static_cast<unsigned char>(character);
    return KeyGridCell{code / kKeyGridRows, code % kKeyGridRows};
}

PickOutcome type_key(KeyStringBuffer& value, InterfaceClass interface_class, char character) {
    KeyGridState state = open_key_grid(value, interface_class);
    const std::optional<KeyGridCell> cell = key_grid_cell_of(state.form, character);
    if (!cell) {
        return PickOutcome::ignored;
    }
    state.modifiers = 0;
    const PickOutcome outcome = pick_key(state, *cell);
    if (outcome == PickOutcome::appended) {
        value = state.result;
    }
    return outcome;
}

void remove_last_picked_key(KeyGridState& state) {
    const std::size_t start = last_key_start(state.result, state.length, state.form);
    std::fill(state.result.begin() + start, state.result.end(), 0);
    state.length = start;
}

void remove_last_key(KeyStringBuffer& value, InterfaceClass interface_class) {
    KeyGridState state = open_key_grid(value, interface_class);
    remove_last_picked_key(state);
    value = state.result;
}

KeyGridCell move_selection(KeyGridCell cell, KeyStringForm form, GridMove move) {
    const int last_column = key_grid_columns(form) - 1;
    const int last_row = kKeyGridRows - 1;
    switch (move) {
        case GridMove::left:
            --cell.column;
            break;
        case GridMove::right:
            ++cell.column;
            break;
        case GridMove::up:
            --cell.row;
            break;
        case GridMove::down:
            ++cell.row;
            break;
        case GridMove::row_start:
            cell.column = 0;
            break;
        case GridMove::row_end:
            cell.column = last_column;
            break;
        case GridMove::first_row:
            cell.row = 0;
            break;
        case GridMove::last_row:
            cell.row = last_row;
            break;
    }
    return {std::clamp(cell.column, 0, last_column), std::clamp(cell.row, 0, last_row)};
}

std::string key_grid_cell_description(KeyStringForm form, KeyGridCell cell) {
    const std::string label = key_grid_cell_label(form, cell);
    return "Row " + std::to_string(cell.row + 1) + ", column " + std::to_string(cell.column + 1) +
           ", " + (label.empty() ? "no key" : label);
}

}  // namespace tessmar
