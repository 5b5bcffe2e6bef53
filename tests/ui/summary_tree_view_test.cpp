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

// Bold wherever the line lies: a mark out of step with its line would show in the last branch.
TEST_F(SummaryTreeView, LinesThatDifferFromTheFactoryAreBoldAndSoAreTheirGroups) {
    EXPECT_EQ(bold_lines(tree()), std::vector<std::string>{});
    state.record.set(Field::scan_mode, 1);
    state.record.edit_format(5).set_maximum_length(20);
    build_summary_tree(app.tree_view, state);
    EXPECT_EQ(bold_lines(tree()),
              (std::vector<std::string>{"Scanner", "Scan Mode : Continuous", "Edit Format",
                                        "Data Editing", "Disable Editing Format 6",
                                        "Applicable Conditions", "Maximum Length : 20"}));
}

// The line at `path` (child indexes from the top), with the branches above it opened.
HTREEITEM open_line(HWND tree, std::initializer_list<int> path) {
    HTREEITEM item = TVI_ROOT;
    for (int index : path) {
        for (item = TreeView_GetChild(tree, item); index > 0; --index) {
            item = TreeView_GetNextSibling(tree, item);
        }
    }
    TreeView_EnsureVisible(tree, item);
    pump_messages();
    return item;
}

// A double-click as the mouse makes it, with the cursor at `point` of the tree.
void double_click_tree(HWND tree, POINT point, TVHITTESTINFO& hit) {
    hit.pt = point;
    TreeView_HitTest(tree, &hit);
    POINT screen = point;
    ClientToScreen(tree, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM where = MAKELPARAM(point.x, point.y);
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        PostMessageA(tree, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, where);
    }
    pump_messages();
}

enum class Gesture { double_click, enter, double_click_button };

// The line's setting's control takes the focus, in the dialog that holds it where it lies in
// one; a line that shows no setting opens the page of its group.
TEST_F(SummaryTreeView, DoubleClickOrEnterOnALineFocusesTheControlOfItsSetting) {
    struct Row {
        std::initializer_list<int> path;
        Gesture gesture;
        int page;             // -1: no sheet
        int control;          // focused in the innermost window opened; 0: the page's first
        bool dialog = false;  // a parameter dialog opens over the page
    };
    const Row kRows[] = {
        {{0}, Gesture::double_click, 0, 0},                                  // Information
        {{0, 1}, Gesture::enter, 0, 0},                                      // Version : 2.05
        {{1, 0}, Gesture::double_click, 0, IDC_SCAN_MODE},                   // Scan Mode
        {{2, 0}, Gesture::enter, 1, IDC_INTERFACE},                          // Scanner Interface
        {{3, 2, 0}, Gesture::double_click, 2, IDC_CODE39_FULL_ASCII, true},  // Code 39 Full ASCII
        {{4}, Gesture::enter, 3, 0},                                         // Length Code
        {{5, 0}, Gesture::double_click, 4, IDC_CODE_ID_FIRST},               // Code 39's code ID
        {{6, 1, 1}, Gesture::enter, 5, IDC_ENABLE_FORMAT_FIRST},  // Disable Editing Format 1
        {{1}, Gesture::double_click_button, -1, 0},               // Scanner's button: no sheet
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message()
                     << "line " << testing::PrintToString(std::vector<int>(row.path)));
        build_summary_tree(app.tree_view, state);
        HTREEITEM line = open_line(tree(), row.path);
        int page = -1;
        int control = 0;
        ModalScript script;
        if (row.page >= 0) {
            script.then([&](HWND sheet) {
                pump_messages();  // the focus goes to the line's control once the sheet is up
                page = PropSheet_HwndToIndex(sheet, current_page(sheet));
                if (!row.dialog) {
                    control = GetDlgCtrlID(GetFocus());
                }
                cancel_window(sheet);
            });
        }
        if (row.dialog) {
            script.then([&](HWND dialog) {
                control = GetDlgCtrlID(GetFocus());
                cancel_window(dialog);
            });
        }
        RECT text{};
        TreeView_GetItemRect(tree(), line, &text, TRUE);
        TVHITTESTINFO hit{};
        switch (row.gesture) {
            case Gesture::double_click:
                double_click_tree(
                    tree(), {(text.left + text.right) / 2, (text.top + text.bottom) / 2}, hit);
                EXPECT_EQ(hit.hItem, line);
                break;
            case Gesture::enter:
                TreeView_SelectItem(tree(), line);
                SetFocus(tree());
                press_key(tree(), VK_RETURN);
                break;
            case Gesture::double_click_button:
                double_click_tree(tree(),
                                  {text.left - static_cast<LONG>(TreeView_GetIndent(tree())) / 2,
                                   (text.top + text.bottom) / 2},
                                  hit);
                EXPECT_EQ(hit.flags & TVHT_ONITEMBUTTON, static_cast<UINT>(TVHT_ONITEMBUTTON));
                break;
        }
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        EXPECT_EQ(page, row.page);
        if (row.control != 0) {
            EXPECT_EQ(control, row.control);
        }
    }
}

}  // namespace
}  // namespace tessmar::test
