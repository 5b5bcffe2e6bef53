#include "tests/ui/support/tree_view_reader.h"

#include <commctrl.h>

#include <array>

namespace tessmar::test {
namespace {

// Longer than any line the tree shows, so a line that was not cut shows whole.
constexpr int kTextBufferChars = 512;

TVITEMA item_info(HWND tree_view, HTREEITEM item, char* text) {
    TVITEMA info{};
    info.mask = TVIF_TEXT | TVIF_STATE;
    info.hItem = item;
    info.stateMask = TVIS_EXPANDED | TVIS_BOLD;
    info.pszText = text;
    info.cchTextMax = kTextBufferChars;
    TreeView_GetItem(tree_view, &info);
    return info;
}

void read_children(HWND tree_view, HTREEITEM parent, SummaryNode& node) {
    for (HTREEITEM item = TreeView_GetChild(tree_view, parent); item;
         item = TreeView_GetNextSibling(tree_view, item)) {
        std::array<char, kTextBufferChars> text{};
        item_info(tree_view, item, text.data());
        SummaryNode& child = node.children.emplace_back();
        child.text = text.data();
        read_children(tree_view, item, child);
    }
}

void add_bold_lines(HWND tree_view, HTREEITEM parent, std::vector<std::string>& lines) {
    for (HTREEITEM item = TreeView_GetChild(tree_view, parent); item;
         item = TreeView_GetNextSibling(tree_view, item)) {
        std::array<char, kTextBufferChars> text{};
        if (item_info(tree_view, item, text.data()).state & TVIS_BOLD) {
            lines.emplace_back(text.data());
        }
        add_bold_lines(tree_view, item, lines);
    }
}

void count_children(HWND tree_view, HTREEITEM parent, TreeViewCounts& counts) {
    for (HTREEITEM item = TreeView_GetChild(tree_view, parent); item;
         item = TreeView_GetNextSibling(tree_view, item)) {
        std::array<char, kTextBufferChars> text{};
        ++counts.items;
        counts.expanded += (item_info(tree_view, item, text.data()).state & TVIS_EXPANDED) != 0;
        count_children(tree_view, item, counts);
    }
}

}  // namespace

SummaryNode read_tree_view(HWND tree_view) {
    SummaryNode root;
    read_children(tree_view, TVI_ROOT, root);
    return root;
}

std::vector<std::string> bold_lines(HWND tree_view) {
    std::vector<std::string> lines;
    add_bold_lines(tree_view, TVI_ROOT, lines);
    return lines;
}

TreeViewCounts count_tree_view_items(HWND tree_view) {
    TreeViewCounts counts;
    count_children(tree_view, TVI_ROOT, counts);
    return counts;
}

}  // namespace tessmar::test
