// The summary tree's Win32 face: fills the main window's tree view from the program state.
#pragma once

#include <windows.h>

#include "model/program_state.h"

namespace tessmar {

// Throws away every item of `tree_view` and builds the tree again from `state`, with every
// branch collapsed and nothing selected. Does nothing when there is no tree view.
void build_summary_tree(HWND tree_view, const ProgramState& state);

}  // namespace tessmar
