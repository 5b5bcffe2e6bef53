// Reading back what a tree view holds, to compare it with the summary tree it was built from.
#pragma once

#include <windows.h>

#include "summary/summary_tree.h"

namespace tessmar::test {

// The tree view's items as a root node (texts only, keys empty), in the builder's shape.
SummaryNode read_tree_view(HWND tree_view);

// How many items are expanded, and how many in all.
struct TreeViewCounts {
    int expanded = 0;
    int items = 0;
};
TreeViewCounts count_tree_view_items(HWND tree_view);

// The texts of the items shown in bold, in tree order.
std::vector<std::string> bold_lines(HWND tree_view);

}  // namespace tessmar::test
