// How the key entry grid looks: the grid of codes with its headers and selected cell, the
// resulting text, and a key-entry box while its grid is open. Painted in the system's colours,
// so that a high-contrast scheme shows it too.
#pragma once

#include <windows.h>

#include "pages/key_grid_rules.h"

namespace tessmar {

// `font` writes the headers and labels. The selected cell shows a focus rectangle while the grid
// has the focus and the keyboard cues are on.
void paint_key_grid(const DRAWITEMSTRUCT& item, HFONT font, const KeyGridState& state);

// A smaller font of the same face for the labels of `form`, when `font` is too wide for the
// grid's cells (the normal-key labels "Insert", "Delete" in a wide dialog font); null when
// `font` fits. The caller deletes it.
HFONT create_fitting_label_font(HWND grid, HFONT font, KeyStringForm form);

// The resulting text in a sunken frame, in the control's font; the transmission sequence is
// painted the same way, with a focus rectangle while it has the focus.
void paint_resulting_text(const DRAWITEMSTRUCT& item, const char* text);

// A key-entry box whose grid is open: solid blue with a black outline, no text; the selection's
// colour in high contrast.
void paint_open_key_entry_box(HDC dc, const RECT& client);

}  // namespace tessmar
