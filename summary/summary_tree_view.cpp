#include "summary/summary_tree_view.h"

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

void build_summary_tree(AppContext& app) {
    if (!app.tree_view || !app.state) {
        return;
    }
    const SummaryNode root = build_summary(*app.state);
    // No painting while hundreds of items come and go, so the tree does not flicker.
    SetWindowRedraw(app.tree_view, FALSE);
    TreeView_DeleteAllItems(app.tree_view);
    insert_children(app.tree_view, TVI_ROOT, root);
    SetWindowRedraw(app.tree_view, TRUE);
    InvalidateRect(app.tree_view, nullptr, TRUE);
}

}  // namespace tessmar
