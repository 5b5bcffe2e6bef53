#include "pages/ui/key_entry_box.h"

#include <commctrl.h>

#include "pages/ui/key_grid_dialog.h"
#include "pages/ui/key_grid_painting.h"
#include "win32/procedure_barrier.h"

namespace tessmar {
namespace {

constexpr UINT_PTR kKeyEntrySubclassId = 1;
// The window property that holds a box's state, so that a box made a key-entry box again is
// found and keeps one state.
constexpr char kStateProperty[] = "TessmarKeyEntryBox";

// A box's state, made by make_key_entry_box and deleted with the box.
struct KeyEntryBox {
    HINSTANCE instance;
    const InterfaceClass* interface_class;
    KeyEntryBinding binding;
    bool grid_open = false;
    // The box was destroyed while its grid was up; the grid's caller frees the state.
    bool destroyed = false;
};

LRESULT CALLBACK key_entry_box_proc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR);

// Runs the grid on the bound value. OK takes the grid's value and text; Cancel puts the box's
// former text back over whatever was typed into it.
void open_grid(HWND box, KeyEntryBox& entry) {
    SetFocus(box);
    entry.grid_open = true;
    InvalidateRect(box, nullptr, TRUE);
    KeyGridState grid = open_key_grid(entry.binding.value, *entry.interface_class,
                                      entry.binding.starts_from_existing);
    const bool taken = run_key_grid(box, entry.instance, grid, entry.binding.offers_key_type);
    if (entry.destroyed) {
        delete &entry;
        return;
    }
    entry.grid_open = false;
    if (taken) {
        copy_key_string(entry.binding.value, grid.result);
        SetWindowTextA(box, key_grid_text(grid).c_str());
    } else {
        SetWindowTextA(box, grid.former_text.c_str());
    }
    InvalidateRect(box, nullptr, TRUE);
}

void paint_open_box(HWND box) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(box, &paint);
    RECT client;
    GetClientRect(box, &client);
    paint_open_key_entry_box(dc, client);
    EndPaint(box, &paint);
}

void on_destroyed(HWND box, KeyEntryBox* entry) {
    RemoveWindowSubclass(box, key_entry_box_proc, kKeyEntrySubclassId);
    RemovePropA(box, kStateProperty);
    if (entry->grid_open) {
        entry->destroyed = true;
    } else {
        delete entry;
    }
}

LRESULT on_box_message(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* entry = static_cast<KeyEntryBox*>(GetPropA(box, kStateProperty));
    if (!entry) {
        return DefSubclassProc(box, message, wParam, lParam);
    }
    switch (message) {
        case WM_LBUTTONDOWN:
            // The click is the grid's: the edit box places no caret and selects nothing.
            if (!entry->grid_open) {
                open_grid(box, *entry);
            }
            return 0;
        case WM_ERASEBKGND:
            if (entry->grid_open) {
                return 1;  // the paint covers the whole client
            }
            break;
        case WM_PAINT:
            if (entry->grid_open) {
                paint_open_box(box);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            on_destroyed(box, entry);
            break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

LRESULT CALLBACK key_entry_box_proc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR) {
    return within_barrier([&] { return on_box_message(box, message, wParam, lParam); },
                          [&] { return DefSubclassProc(box, message, wParam, lParam); });
}

}  // namespace

void make_key_entry_box(HWND edit, HINSTANCE instance, const InterfaceClass& interface_class,
                        const KeyEntryBinding& binding) {
    // A box made a key-entry box again keeps its state, with the new binding.
    if (auto* existing = static_cast<KeyEntryBox*>(GetPropA(edit, kStateProperty))) {
        existing->instance = instance;
        existing->interface_class = &interface_class;
        existing->binding = binding;
        return;
    }
    auto* entry = new KeyEntryBox{instance, &interface_class, binding};
    if (!SetPropA(edit, kStateProperty, entry)) {
        delete entry;
        return;
    }
    if (!SetWindowSubclass(edit, key_entry_box_proc, kKeyEntrySubclassId, 0)) {
        RemovePropA(edit, kStateProperty);
        delete entry;
    }
}

}  // namespace tessmar
