#include "summary/ui/summary_tree_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include "summary/summary_tree.h"

namespace tessmar {
namespace {

// Appends `node`'s children under `parent`, text only; an item that cannot be created gets no
// descendants.
void insert_children(HWND tree_view, HTREEITEM parent, const SummaryNode& node) {
    for (const SummaryNode& child : node.children) {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        // The control copies the text; it is only read here.
        insert.item.pszText = const_cast<char*>(child.text.c_str());
        HTREEITEM item = TreeView_InsertItem(tree_view, &insert);
        if (item) {
            insert_children(tree_view, item, child);
        }
    }
}

}  // namespace

void build_summary_tree(HWND tree_view, const ProgramState& state) {
    if (!tree_view) {
        return;
    }
    const SummaryNode root = build_summary(state);
    // No painting while hundreds of items come and go, so the tree does not flicker.
    SetWindowRedraw(tree_view, FALSE);
    TreeView_DeleteAllItems(tree_view);
    insert_children(tree_view, TVI_ROOT, root);
    SetWindowRedraw(tree_view, TRUE);
    InvalidateRect(tree_view, nullptr, TRUE);
}

}  // namespace tessmar
