#include "summary/ui/summary_tree_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include "summary/changed_lines.h"
#include "summary/summary_tree.h"

namespace tessmar {
namespace {

// The Reader Settings page that edits the lines of each top-level item, "Information" to "Edit
// Format"; no page edits "Information", which opens the first.
constexpr int kGroupPages[] = {0, 0, 1, 2, 3, 4, 5};

// The lines under `node`, at every depth.
std::size_t descendants(const SummaryNode& node) {
    std::size_t count = node.children.size();
    for (const SummaryNode& child : node.children) {
        count += descendants(child);
    }
    return count;
}

// The lines to insert, with their marks in the same order.
struct Lines {
    HWND tree_view;
    const std::vector<bool>& changed;
    std::size_t next = 0;
};

// Appends `node`'s children under `parent`: their text, in bold where they differ from the
// factory settings. An item that cannot be created gets no descendants.
void insert_children(Lines& lines, HTREEITEM parent, const SummaryNode& node) {
    for (const SummaryNode& child : node.children) {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_STATE | TVIF_PARAM;
        // The control copies the text; it is only read here.
        insert.item.pszText = const_cast<char*>(child.text.c_str());
        insert.item.stateMask = TVIS_BOLD;
        insert.item.lParam = static_cast<LPARAM>(lines.next);
        insert.item.state = lines.changed[lines.next++] ? TVIS_BOLD : 0;
        HTREEITEM item = TreeView_InsertItem(lines.tree_view, &insert);
        if (item) {
            insert_children(lines, item, child);
        } else {
            lines.next += descendants(child);
        }
    }
}

}  // namespace

void build_summary_tree(HWND tree_view, const ProgramState& state) {
    if (!tree_view) {
        return;
    }
    const SummaryNode root = build_summary(state);
    const std::vector<bool> changed = lines_changed_from_factory(root, state.interface_class);
    // No painting while hundreds of items come and go, so the tree does not flicker.
    SetWindowRedraw(tree_view, FALSE);
    TreeView_DeleteAllItems(tree_view);
    Lines lines{tree_view, changed};
    insert_children(lines, TVI_ROOT, root);
    SetWindowRedraw(tree_view, TRUE);
    InvalidateRect(tree_view, nullptr, TRUE);
}

HTREEITEM line_under_cursor(HWND tree_view) {
    const DWORD position = GetMessagePos();
    TVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ScreenToClient(tree_view, &hit.pt);
    HTREEITEM item = TreeView_HitTest(tree_view, &hit);
    return (hit.flags & TVHT_ONITEM) ? item : nullptr;
}

std::size_t line_number(HWND tree_view, HTREEITEM item) {
    TVITEMA line{};
    line.mask = TVIF_PARAM;
    line.hItem = item;
    TreeView_GetItem(tree_view, &line);
    return static_cast<std::size_t>(line.lParam);
}

int reader_page_of_line(HWND tree_view, HTREEITEM item) {
    HTREEITEM top = item;
    for (HTREEITEM parent = item; parent; parent = TreeView_GetParent(tree_view, parent)) {
        top = parent;
    }
    std::size_t group = 0;
    for (HTREEITEM before = TreeView_GetPrevSibling(tree_view, top); before;
         before = TreeView_GetPrevSibling(tree_view, before)) {
        ++group;
    }
    return group < std::size(kGroupPages) ? kGroupPages[group] : 0;
}

}  // namespace tessmar
