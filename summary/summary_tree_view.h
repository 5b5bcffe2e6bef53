// The summary tree's Win32 face: fills the main window's tree view from the program state.
#pragma once

#include "app/app_context.h"

namespace tessmar {

// Throws away every item of `app.tree_view` and builds the tree again from `*app.state`, with
// every branch collapsed and nothing selected. Does nothing when there is no tree view.
void build_summary_tree(AppContext& app);

}  // namespace tessmar
