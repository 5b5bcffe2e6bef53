#include <windows.h>

#include <commctrl.h>

#include "resources/resource.h"
#include "summary/ui/summary_tree_view.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/tree_view_reader.h"

namespace tessmar::test {
namespace {

class SummaryTreeView : public MainWindowTest {
  protected:
    HWND tree() const { return GetDlgItem(window, IDC_TREE_VIEW); }

    // The tree view holds exactly the builder's tree for the current state, all collapsed, with
    // `selected` as its selection.
    void expect_tree_of_state(HTREEITEM selected = nullptr) {
        const std::string shown = summary_text(read_tree_view(tree()));
        EXPECT_EQ(shown, summary_text(build_summary(state)));
        const TreeViewCounts counts = count_tree_view_items(tree());
        EXPECT_EQ(counts.items, static_cast<int>(TreeView_GetCount(tree())));
        EXPECT_EQ(counts.expanded, 0);
        EXPECT_EQ(TreeView_GetSelection(tree()), selected);
    }
};

TEST_F(SummaryTreeView, MainWindowOpensOnTheFactoryTreeCollapsed) {
    ASSERT_NE(tree(), nullptr);
    const SummaryNode shown = read_tree_view(tree());
    const char* const top_level[] = {"Information", "Scanner", "Interface",  "Symbology",
                                     "Length Code", "Code ID", "Edit Format"};
    ASSERT_EQ(shown.children.size(), std::size(top_level));
    for (std::size_t i = 0; i < std::size(top_level); ++i) {
        EXPECT_EQ(shown.children[i].text, top_level[i]);
    }
    EXPECT_EQ(shown.children[1].children[0].text, "Scan Mode : Laser");
    // The tree has the keyboard from the start, its caret on the first line.
    expect_tree_of_state(TreeView_GetRoot(tree()));
}

TEST_F(SummaryTreeView, RebuildShowsTheChangedRecordWithEveryBranchCollapsed) {
    // A user has opened branches and picked a line before the record changes.
    HTREEITEM interface_item =
        TreeView_GetNextSibling(tree(), TreeView_GetNextSibling(tree(), TreeView_GetRoot(tree())));
    TreeView_Expand(tree(), interface_item, TVE_EXPAND);
    TreeView_Expand(tree(), TreeView_GetNextSibling(tree(), interface_item), TVE_EXPAND);
    TreeView_SelectItem(tree(), TreeView_GetChild(tree(), interface_item));
    ASSERT_EQ(count_tree_view_items(tree()).expanded, 2);

    state.record.set(Field::keyboard_type, 0);
    state.record.set(Field::scan_mode, 1);
    state.record.edit_format(3).set_number_of_fields_minus_1(2);
    state.code_id_set = 5;
    build_summary_tree(app.tree_view, state);
    pump_messages();

    expect_tree_of_state();
    const SummaryNode shown = read_tree_view(tree());
    EXPECT_EQ(shown.children[1].children[0].text, "Scan Mode : Continuous");
    EXPECT_EQ(shown.children[2].children[0].text, "Scanner Interface : RS-232");
    EXPECT_EQ(shown.children[5].children[0].text, "Select Code ID Set 5");
    // Drawing was switched back on: opening a branch asks for a repaint.
    ValidateRect(tree(), nullptr);
    TreeView_Expand(tree(), TreeView_GetRoot(tree()), TVE_EXPAND);
    EXPECT_TRUE(GetUpdateRect(tree(), nullptr, FALSE));
}

TEST_F(SummaryTreeView, LinesLongerThanTheTreeShowsAreCut) {
    std::fill_n(state.record.key_string(KeySlot::suffix_code).begin(), 10, std::uint8_t{0xFF});
    build_summary_tree(app.tree_view, state);
    const std::string suffix = read_tree_view(tree()).children[3].children[1].text;
    EXPECT_EQ(suffix.size(), kMaxSummaryLineChars);
    EXPECT_TRUE(suffix.starts_with("Suffix Code : [Shift][LeftCtrl]"));
}

}  // namespace
}  // namespace tessmar::test
