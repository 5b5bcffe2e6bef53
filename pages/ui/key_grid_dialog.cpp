#include "pages/ui/key_grid_dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <optional>
#include <span>
#include <string>

#include "pages/key_grid_keyboard.h"
#include "win32/accessible_control.h"
#include "pages/ui/key_grid_painting.h"
#include "resources/resource.h"
#include "win32/dialog_controls.h"
#include "win32/dialog_procedure.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

// What the dialog works on, from DialogBoxParam's parameter to its end.
struct GridDialog {
    KeyGridState* state;
    bool offers_key_type;
    // A smaller font for the labels of the form on show when the dialog's is too wide; owned.
    HFONT label_font = nullptr;
};

constexpr char kTooManyCharacters[] = "Too many characters !!!";
constexpr UINT_PTR kGridSubclassId = 1;
// Sent to the controls once the dialog has followed a move to a monitor of another resolution
// (Windows 10 1607 on; the headers of older systems do not name it).
constexpr UINT kDpiChangedAfterParent = 0x02E3;

// The keys that move the selection.
struct GridKey {
    WPARAM key;
    GridMove move;
};
constexpr GridKey kGridKeys[] = {
    {VK_LEFT, GridMove::left},       {VK_RIGHT, GridMove::right},    {VK_UP, GridMove::up},
    {VK_DOWN, GridMove::down},       {VK_HOME, GridMove::row_start}, {VK_END, GridMove::row_end},
    {VK_PRIOR, GridMove::first_row}, {VK_NEXT, GridMove::last_row},
};

constexpr int kKeyTypeControls[] = {IDC_KEY_TYPE, IDC_SCAN_CODE, IDC_NORMAL_KEY};
// "Key Status" and its boxes, which follow the modifier flags in bit order.
constexpr int kKeyStatusControls[] = {IDC_KEY_STATUS,   IDC_ADD_SHIFT,      IDC_ADD_LEFT_CTRL,
                                      IDC_ADD_LEFT_ALT, IDC_ADD_RIGHT_CTRL, IDC_ADD_RIGHT_ALT,
                                      IDC_ADD_BREAK};

bool is_modifier_box(int id) {
    return id >= IDC_ADD_SHIFT && id <= IDC_ADD_BREAK;
}

unsigned modifier_flag_of(int id) {
    return static_cast<unsigned>(id - IDC_ADD_SHIFT);
}

void show_controls(HWND dialog, std::span<const int> ids, bool shown) {
    for (const int id : ids) {
        ShowWindow(GetDlgItem(dialog, id), shown ? SW_SHOW : SW_HIDE);
    }
}

void show_modifiers(HWND dialog, const KeyGridState& state) {
    for (unsigned flag = 0; flag < kModifierFlagCount; ++flag) {
        CheckDlgButton(dialog, IDC_ADD_SHIFT + static_cast<int>(flag),
                       modifier_set(state, flag) ? BST_CHECKED : BST_UNCHECKED);
    }
}

// The resulting text is the static's own window text, which its painting shows.
void show_result(HWND dialog, const KeyGridState& state) {
    HWND result = GetDlgItem(dialog, IDC_RESULTING_TEXT);
    SetWindowTextA(result, key_grid_text(state).c_str());
    InvalidateRect(result, nullptr, FALSE);
    announce_value_change(result);
}

void release_label_font(GridDialog& grid) {
    if (grid.label_font) {
        DeleteObject(grid.label_font);
        grid.label_font = nullptr;
    }
}

void choose_label_font(HWND dialog, GridDialog& grid) {
    release_label_font(grid);
    HWND cells = GetDlgItem(dialog, IDC_KEY_GRID);
    grid.label_font = create_fitting_label_font(cells, GetWindowFont(cells), grid.state->form);
}

// The controls that go with the form on show: key type and key status only with a keyboard
// wedge and where the binding offers them, the modifier boxes usable with normal keys only.
void set_up_grid(HWND dialog, GridDialog& grid) {
    const KeyGridState& state = *grid.state;
    choose_label_font(dialog, grid);
    const bool key_controls = key_grid_shows_key_controls(state.form, grid.offers_key_type);
    show_controls(dialog, kKeyTypeControls, key_controls);
    show_controls(dialog, kKeyStatusControls, key_controls);
    if (state.form != KeyStringForm::character) {
        const bool normal_keys = state.form == KeyStringForm::normal_key;
        for (const int id : kKeyStatusControls) {
            EnableWindow(GetDlgItem(dialog, id), normal_keys);
        }
        CheckRadioButton(dialog, IDC_SCAN_CODE, IDC_NORMAL_KEY,
                         normal_keys ? IDC_NORMAL_KEY : IDC_SCAN_CODE);
        if (normal_keys) {
            show_modifiers(dialog, state);
        }
    }
    InvalidateRect(GetDlgItem(dialog, IDC_KEY_GRID), nullptr, FALSE);
}

KeyGridMetrics metrics_of(HWND cells, const KeyGridState& state) {
    RECT client;
    GetClientRect(cells, &client);
    return key_grid_metrics(state.form, client.right, client.bottom);
}

void invalidate_cell(HWND cells, const KeyGridMetrics& metrics, KeyGridCell cell) {
    const GridRect box = key_grid_cell_box(metrics, cell);
    const RECT rect{box.left, box.top, box.right, box.bottom};
    InvalidateRect(cells, &rect, FALSE);
}

GridDialog* grid_of(HWND cells) {
    return dialog_state<GridDialog>(GetParent(cells));
}

// The cells row by row, as the keys move through them.
std::size_t part_index(const KeyGridMetrics& metrics, KeyGridCell cell) {
    return static_cast<std::size_t>(cell.row * metrics.columns + cell.column);
}

// Moves the selection; the cells it leaves and takes are painted anew.
void select_cell(HWND cells, KeyGridState& state, KeyGridCell cell) {
    const KeyGridMetrics metrics = metrics_of(cells, state);
    invalidate_cell(cells, metrics, state.selected);
    state.selected = cell;
    invalidate_cell(cells, metrics, state.selected);
    announce_value_change(cells);
    announce_current_part(cells, part_index(metrics, cell));
}

// A click, Space or a typed character: the cell is selected and its key appended, or refused.
void pick_cell(HWND cells, KeyGridCell cell) {
    GridDialog* grid = grid_of(cells);
    if (!grid) {
        return;
    }
    KeyGridState& state = *grid->state;
    select_cell(cells, state, cell);
    const PickOutcome outcome = pick_key(state, cell);
    // The selection shows before a refusal's message box holds the dialog up.
    UpdateWindow(cells);
    if (outcome == PickOutcome::too_many) {
        report_error(GetParent(cells), kTooManyCharacters);
    } else if (outcome == PickOutcome::appended) {
        show_result(GetParent(cells), state);
    }
}

void on_grid_button_down(HWND cells, int x, int y) {
    const GridDialog* grid = grid_of(cells);
    if (!grid) {
        return;
    }
    SetFocus(cells);
    if (const std::optional<KeyGridCell> cell =
            key_grid_hit(metrics_of(cells, *grid->state), x, y)) {
        pick_cell(cells, *cell);
    }
}

// Arrows, Home, End, Page Up and Page Down move; Space picks; Backspace takes back the last key.
void on_grid_key(HWND cells, WPARAM key) {
    GridDialog* grid = grid_of(cells);
    if (!grid) {
        return;
    }
    KeyGridState& state = *grid->state;
    for (const GridKey& grid_key : kGridKeys) {
        if (grid_key.key == key) {
            select_cell(cells, state, move_selection(state.selected, state.form, grid_key.move));
            return;
        }
    }
    if (key == VK_SPACE) {
        pick_cell(cells, state.selected);
    } else if (key == VK_BACK) {
        remove_last_picked_key(state);
        show_result(GetParent(cells), state);
    }
}

// A typed character picks its cell; Space came as its key.
void on_grid_character(HWND cells, WPARAM character) {
    const GridDialog* grid = grid_of(cells);
    if (!grid || character <= ' ' || character >= 0x80) {
        return;
    }
    if (const std::optional<KeyGridCell> cell =
            key_grid_cell_of(grid->state->form, static_cast<char>(character))) {
        pick_cell(cells, *cell);
    } else {
        MessageBeep(MB_OK);
    }
}

// The focus rectangle comes and goes with the focus and the keyboard cues.
void repaint_selection(HWND cells) {
    if (const GridDialog* grid = grid_of(cells)) {
        invalidate_cell(cells, metrics_of(cells, *grid->state), grid->state->selected);
    }
}

// A reader meets the grid as a table of named cells, the selected one current.
AccessibleText describe_grid(HWND cells) {
    const GridDialog* grid = grid_of(cells);
    if (!grid) {
        return {};
    }
    const KeyGridState& state = *grid->state;
    const KeyGridMetrics metrics = metrics_of(cells, state);
    AccessibleParts table{
        .role = ROLE_SYSTEM_TABLE, .part_role = ROLE_SYSTEM_CELL, .parts = {}, .current = {}};
    for (int row = 0; row < kKeyGridRows; ++row) {
        for (int column = 0; column < metrics.columns; ++column) {
            const GridRect box = key_grid_cell_box(metrics, {column, row});
            table.parts.push_back({key_grid_cell_description(state.form, {column, row}),
                                   RECT{box.left, box.top, box.right, box.bottom}});
        }
    }
    table.current = part_index(metrics, state.selected);
    return {"Key grid", key_grid_cell_description(state.form, state.selected), std::move(table)};
}

AccessibleText describe_result(HWND result) {
    return {"Resulting text", control_text(result), std::nullopt};
}

// The grid static keeps its own behaviour except for the button-down, which picks, and the keys.
// The second click of a double-click arrives as WM_LBUTTONDBLCLK and so picks nothing.
LRESULT on_grid_cells_message(HWND cells, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK grid_cells_proc(HWND cells, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
    return within_barrier([&] { return on_grid_cells_message(cells, message, wParam, lParam); },
                          [&] { return DefSubclassProc(cells, message, wParam, lParam); });
}

LRESULT on_grid_cells_message(HWND cells, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            on_grid_button_down(cells, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_GETDLGCODE:
            // Tab, Enter and Esc stay the dialog's.
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            on_grid_key(cells, wParam);
            return 0;
        case WM_CHAR:
            on_grid_character(cells, wParam);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_UPDATEUISTATE:
            repaint_selection(cells);
            break;
        case kDpiChangedAfterParent:
            if (GridDialog* grid = grid_of(cells)) {
                choose_label_font(GetParent(cells), *grid);
                InvalidateRect(cells, nullptr, FALSE);
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(cells, grid_cells_proc, kGridSubclassId);
            break;
    }
    return DefSubclassProc(cells, message, wParam, lParam);
}

BOOL on_init_dialog(HWND dialog, GridDialog& grid) {
    HWND cells = GetDlgItem(dialog, IDC_KEY_GRID);
    SetWindowSubclass(cells, grid_cells_proc, kGridSubclassId, 0);
    describe_to_screen_readers(cells, describe_grid);
    describe_to_screen_readers(GetDlgItem(dialog, IDC_RESULTING_TEXT), describe_result);
    set_up_grid(dialog, grid);
    show_result(dialog, *grid.state);
    return TRUE;
}

void on_key_type(HWND dialog, GridDialog& grid, bool scan_codes) {
    choose_key_type(*grid.state, scan_codes);
    set_up_grid(dialog, grid);
    show_result(dialog, *grid.state);
}

// True when the command was one of the dialog's.
bool on_command(HWND dialog, GridDialog& grid, int id, UINT code) {
    if (code != BN_CLICKED) {
        return false;
    }
    if (is_modifier_box(id)) {
        toggle_modifier(*grid.state, modifier_flag_of(id));
        show_modifiers(dialog, *grid.state);
        return true;
    }
    switch (id) {
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, id);
            return true;
        case IDC_GRID_CLEAR:
            clear_key_grid(*grid.state, grid.offers_key_type);
            set_up_grid(dialog, grid);
            show_result(dialog, *grid.state);
            return true;
        case IDC_SCAN_CODE:
        case IDC_NORMAL_KEY:
            on_key_type(dialog, grid, id == IDC_SCAN_CODE);
            return true;
    }
    return false;
}

// Both painted statics are owner-drawn, so every way they come to be repainted ends here.
bool on_draw_item(HWND, GridDialog& grid, const DRAWITEMSTRUCT& item) {
    if (item.CtlID == IDC_KEY_GRID) {
        paint_key_grid(item, grid.label_font ? grid.label_font : GetWindowFont(item.hwndItem),
                       *grid.state);
    } else if (item.CtlID == IDC_RESULTING_TEXT) {
        paint_resulting_text(item, control_text(item.hwndItem).c_str());
    } else {
        return false;
    }
    return true;
}

INT_PTR on_message(HWND, GridDialog& grid, UINT message, WPARAM, LPARAM) {
    if (message == WM_DESTROY) {
        release_label_font(grid);
    }
    return FALSE;
}

constexpr DialogHandlers<GridDialog> kHandlers = {
    .init = on_init_dialog,
    .command = on_command,
    .draw_item = on_draw_item,
    .message = on_message,
};

}  // namespace

bool run_key_grid(HWND owner, HINSTANCE instance, KeyGridState& state, bool offers_key_type) {
    GridDialog grid{&state, offers_key_type};
    return run_modal_dialog<GridDialog, kHandlers>(instance, "GRID_DLG", owner, grid) == IDOK;
}

}  // namespace tessmar
