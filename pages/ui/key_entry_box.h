// Key-entry boxes: edit boxes that show a key string and open the key entry grid on a click.
// The grid is the only way to change the value; what is typed into the box changes its text only.
#pragma once

#include <windows.h>

#include "model/key_string_slot.h"
#include "model/program_state.h"

namespace tessmar {

// What a key-entry box edits, fixed per box.
struct KeyEntryBinding {
    MutableKeyString value;            // the page's staging value; must outlive the box
    bool offers_key_type = true;       // "Key Type" and "Key Status" shown (keyboard wedge only)
    bool starts_from_existing = true;  // false for the Code ID boxes: the grid starts empty
};

// Turns the edit box into a key-entry box. `interface_class` is read each time the grid
// opens, so a change made by the Interface page shows at once. Keeps its own state with the
// box and frees it when the box is destroyed.
void make_key_entry_box(HWND edit, HINSTANCE instance, const InterfaceClass& interface_class,
                        const KeyEntryBinding& binding);

}  // namespace tessmar
