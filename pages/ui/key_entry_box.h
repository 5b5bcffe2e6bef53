// Key-entry boxes: edit boxes that show a key string and take its keys. A printable character
// typed into the box is entered as its key, Backspace takes back the last key, and a click, F4 or
// Alt+Down opens the key entry grid. The box always shows the value it holds.
#pragma once

#include <windows.h>

#include <string>

#include "model/key_string_slot.h"
#include "model/program_state.h"

namespace tessmar {

// What a key-entry box edits, fixed per box.
struct KeyEntryBinding {
    MutableKeyString value;       // the page's staging value; must outlive the box
    bool offers_key_type = true;  // "Key Type" and "Key Status" shown (keyboard wedge only)
    // What a screen reader calls the box; empty for the label before it, as Windows names an
    // edit box.
    std::string name;
};

// Turns the edit box into a key-entry box. `interface_class` is read at each key and each time
// the grid opens, so a change made by the Interface page shows at once. Keeps its own state with
// the box and frees it when the box is destroyed.
void make_key_entry_box(HWND edit, HINSTANCE instance, const InterfaceClass& interface_class,
                        const KeyEntryBinding& binding);

}  // namespace tessmar
