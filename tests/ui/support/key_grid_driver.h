// Driving the key entry grid: clicking its cells and reading what it shows.
#pragma once

#include <windows.h>

#include <string>

#include "pages/key_grid_rules.h"

namespace tessmar::test {

// The layout of the grid static for `form`.
KeyGridMetrics grid_metrics(HWND grid_dialog, KeyStringForm form);
// The grid static's point at the middle of a code cell, for a grid showing `form`.
POINT grid_cell_centre(HWND grid_dialog, KeyStringForm form, KeyGridCell cell);
void click_grid_cell(HWND grid_dialog, KeyStringForm form, KeyGridCell cell);
void double_click_grid_cell(HWND grid_dialog, KeyStringForm form, KeyGridCell cell);

// The text under "Resulting text :": the static paints its own window text.
std::string resulting_text(HWND grid_dialog);

}  // namespace tessmar::test
