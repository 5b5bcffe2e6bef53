// The lines of the summary tree whose values differ from the factory settings, which the tree
// shows in bold.
#pragma once

#include <vector>

#include "summary/summary_tree.h"

namespace tessmar {

// One mark per line of `tree`, in the order summary_text lists them (a line, then its
// descendants): true for a line that would read otherwise from the factory settings, and for
// every line that holds such a line. Both sides read key strings in the form of
// `interface_class`, so that only the record's values make a difference.
std::vector<bool> lines_changed_from_factory(const SummaryNode& tree,
                                             InterfaceClass interface_class);

}  // namespace tessmar
