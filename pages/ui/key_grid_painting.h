// How the key entry grid looks: the grid of codes with its headers and selected cell, the
// resulting text, and a key-entry box while its grid is open.
#pragma once

#include <windows.h>

#include "pages/key_grid_rules.h"

namespace tessmar {

// `font` writes the headers and labels; `client` is the grid static's client rectangle.
void paint_key_grid(HDC dc, const RECT& client, HFONT font, const KeyGridState& state);

// A smaller font of the same face for the labels of `form`, when `font` is too wide for the
// grid's cells (the normal-key labels "Insert", "Delete" in a wide dialog font); null when
// `font` fits. The caller deletes it.
HFONT create_fitting_label_font(HWND grid, HFONT font, KeyStringForm form);

// The resulting text, grey on white, in a sunken frame.
void paint_resulting_text(HDC dc, const RECT& client, HFONT font, const char* text);

// A key-entry box whose grid is open: solid blue with a black outline, no text.
void paint_open_key_entry_box(HDC dc, const RECT& client);

}  // namespace tessmar
