// The summary tree's Win32 face: fills the main window's tree view from the program state.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "model/program_state.h"

namespace tessmar {

// Throws away every item of `tree_view` and builds the tree again from `state`, with every
// branch collapsed and nothing selected; the lines that differ from the factory settings, and
// the lines that hold them, are bold. Does nothing when there is no tree view.
void build_summary_tree(HWND tree_view, const ProgramState& state);

// The line whose text or icon is under the cursor of the message being handled, or null.
HTREEITEM line_under_cursor(HWND tree_view);

// Where `item`'s line stands among the lines of the tree it was built from, counted from 0 in
// the order the tree lists them (line_setting).
std::size_t line_number(HWND tree_view, HTREEITEM item);

// The Reader Settings page (0 for the first) that edits `item`'s setting: that of its top-level
// item.
int reader_page_of_line(HWND tree_view, HTREEITEM item);

}  // namespace tessmar
