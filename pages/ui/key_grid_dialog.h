// The key entry grid, "The Grid Control": the one way a key string is entered, key by key with
// the mouse.
#pragma once

#include <windows.h>

#include "pages/key_grid_rules.h"

namespace tessmar {

// Runs the grid modally on `state` (see open_key_grid), owned by `owner`. True when closed by
// OK: `state` then holds the value to take. `offers_key_type` shows "Key Type" and
// "Key Status" with a keyboard wedge.
bool run_key_grid(HWND owner, HINSTANCE instance, KeyGridState& state, bool offers_key_type);

}  // namespace tessmar
