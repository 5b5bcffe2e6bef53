#include "pages/ui/key_entry_box.h"

#include <commctrl.h>

#include "model/key_string.h"
#include "pages/key_grid_keyboard.h"
#include "win32/accessible_control.h"
#include "pages/ui/key_grid_dialog.h"
#include "pages/ui/key_grid_painting.h"
#include "win32/procedure_barrier.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

constexpr UINT_PTR kKeyEntrySubclassId = 1;
// The window property that holds a box's state, so that a box made a key-entry box again is
// found and keeps one state.
constexpr char kStateProperty[] = "TessmarKeyEntryBox";
constexpr char kTooManyCharacters[] = "Too many characters !!!";
// Control characters the edit box may keep: they copy or select, and change no text.
constexpr WPARAM kSelectAll = 0x01;
constexpr WPARAM kCopy = 0x03;
// Ctrl+Backspace's character.
constexpr WPARAM kDeleteCharacter = 0x7F;
// WM_SYSKEYDOWN's context bit: Alt is held.
constexpr LPARAM kAltDown = LPARAM{1} << 29;

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

KeyEntryBox* entry_of(HWND box) {
    return static_cast<KeyEntryBox*>(GetPropA(box, kStateProperty));
}

// Shows the value, with the caret after its last key.
void show_value(HWND box, const KeyEntryBox& entry) {
    SetWindowTextA(box, key_string_text(entry.binding.value, *entry.interface_class).c_str());
    const int end = GetWindowTextLengthA(box);
    SendMessageA(box, EM_SETSEL, end, end);
}

// Runs the grid on the bound value. OK takes the grid's value; Cancel leaves the value as it was.
void open_grid(HWND box, KeyEntryBox& entry) {
    SetFocus(box);
    entry.grid_open = true;
    InvalidateRect(box, nullptr, TRUE);
    KeyGridState grid = open_key_grid(entry.binding.value, *entry.interface_class);
    const bool taken = run_key_grid(box, entry.instance, grid, entry.binding.offers_key_type);
    if (entry.destroyed) {
        delete &entry;
        return;
    }
    entry.grid_open = false;
    if (taken) {
        copy_key_string(entry.binding.value, grid.result);
    }
    show_value(box, entry);
    InvalidateRect(box, nullptr, TRUE);
}

// A printable character is entered as its key; what has no key in the box's form is refused as
// an edit box refuses what it does not take.
void on_character(HWND box, KeyEntryBox& entry, WPARAM character) {
    KeyStringBuffer value{};
    copy_key_string(value, entry.binding.value);
    // A character outside ASCII has no cell in any form.
    const char typed = character < 0x80 ? static_cast<char>(character) : '\0';
    switch (type_key(value, *entry.interface_class, typed)) {
        case PickOutcome::appended:
            copy_key_string(entry.binding.value, value);
            show_value(box, entry);
            break;
        case PickOutcome::too_many:
            report_error(box, kTooManyCharacters);
            break;
        case PickOutcome::ignored:
            MessageBeep(MB_OK);
            break;
    }
}

void on_backspace(HWND box, KeyEntryBox& entry) {
    KeyStringBuffer value{};
    copy_key_string(value, entry.binding.value);
    remove_last_key(value, *entry.interface_class);
    copy_key_string(entry.binding.value, value);
    show_value(box, entry);
}

// F4 and Alt+Down open the grid, as they open a combo box's list.
bool opens_grid(UINT message, WPARAM key, LPARAM flags) {
    return (message == WM_KEYDOWN && key == VK_F4) ||
           (message == WM_SYSKEYDOWN && key == VK_DOWN && (flags & kAltDown) != 0);
}

// What would change the text behind the value's back: the edit box's own editing keys and
// commands. Typed characters are taken above.
bool edits_text(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
        case EM_UNDO:
        case EM_REPLACESEL:
        case WM_IME_CHAR:
        case WM_IME_COMPOSITION:
        case WM_CONTEXTMENU:
            return true;
        case WM_KEYDOWN:
            return wParam == VK_DELETE || (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0);
    }
    return false;
}

// The box's own name; its value is its text, as the system's object reads it.
AccessibleText describe_box(HWND box) {
    const KeyEntryBox* entry = entry_of(box);
    return {entry ? entry->binding.name : std::string{}, std::nullopt, std::nullopt};
}

void describe_box_where_named(HWND box, const KeyEntryBinding& binding) {
    if (!binding.name.empty()) {
        describe_to_screen_readers(box, describe_box);
    }
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

// Keys, clicks and edits; true when the box took the message.
bool on_input(HWND box, KeyEntryBox& entry, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || opens_grid(message, wParam, lParam)) {
        // The click is the grid's: the edit box places no caret and selects nothing.
        if (!entry.grid_open) {
            open_grid(box, entry);
        }
        return true;
    }
    if (message == WM_KEYDOWN && wParam == VK_BACK) {
        on_backspace(box, entry);
        return true;
    }
    if (message == WM_CHAR) {
        if (wParam == kSelectAll || wParam == kCopy) {
            return false;
        }
        // Backspace came as its key; the other control characters edit nothing here.
        if (wParam >= ' ' && wParam != kDeleteCharacter) {
            on_character(box, entry, wParam);
        }
        return true;
    }
    return edits_text(message, wParam);
}

LRESULT on_box_message(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    KeyEntryBox* entry = entry_of(box);
    if (!entry) {
        return DefSubclassProc(box, message, wParam, lParam);
    }
    if (on_input(box, *entry, message, wParam, lParam)) {
        return 0;
    }
    switch (message) {
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
    if (KeyEntryBox* existing = entry_of(edit)) {
        existing->instance = instance;
        existing->interface_class = &interface_class;
        existing->binding = binding;
        describe_box_where_named(edit, binding);
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
        return;
    }
    describe_box_where_named(edit, binding);
}

}  // namespace tessmar
