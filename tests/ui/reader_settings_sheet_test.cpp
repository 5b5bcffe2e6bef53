#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "pages/ui/reader_settings_sheet.h"
#include "resources/resource.h"
#include "summary/summary_tree.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/page_driver.h"
#include "tests/ui/support/tree_view_reader.h"

namespace tessmar::test {
namespace {

class ReaderSettingsSheet : public MainWindowTest {
  protected:
    HWND tree() const { return GetDlgItem(window, IDC_TREE_VIEW); }
    std::string tree_text() const { return summary_text(read_tree_view(tree())); }
    std::string expected_tree_text() const { return summary_text(build_summary(state)); }

    // Opens every top-level branch of the tree, as a user looking around would.
    void expand_all_top_level() {
        for (HTREEITEM item = TreeView_GetRoot(tree()); item;
             item = TreeView_GetNextSibling(tree(), item)) {
            TreeView_Expand(tree(), item, TVE_EXPAND);
        }
    }

    void run_sheet(const std::function<void(HWND sheet)>& act) {
        ModalScript script;
        script.then(act);
        open_sheet();
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        pump_messages();
    }
};

TEST_F(ReaderSettingsSheet, HasItsCaptionTabsAndOnlyOkAndCancel) {
    std::string caption;
    std::vector<std::string> tabs;
    bool apply_visible = true;
    run_sheet([&](HWND sheet) {
        caption = window_text(sheet);
        tabs = tab_captions(sheet);
        HWND apply = GetDlgItem(sheet, 0x3021);  // the sheet's Apply button
        apply_visible = apply && IsWindowVisible(apply);
        cancel_window(sheet);
    });
    EXPECT_EQ(caption, "Reader Settings");
    EXPECT_EQ(tabs, (std::vector<std::string>{"Scanner", "Interface", "Symbology", "Length Code",
                                              "Code ID", "Edit Format"}));
    EXPECT_FALSE(apply_visible);
}

TEST_F(ReaderSettingsSheet, OkRebuildsTheTreeWithTheNewValuesAllCollapsed) {
    expand_all_top_level();
    ASSERT_GT(count_tree_view_items(tree()).expanded, 0);
    run_sheet([&](HWND sheet) {
        HWND page = current_page(sheet);
        SendDlgItemMessageA(page, IDC_DISABLE_BUZZER, BM_CLICK, 0, 0);
        ComboBox_SetCurSel(GetDlgItem(page, IDC_SCAN_MODE), 1);
        press_sheet_button(sheet, PSBTN_OK);
    });
    EXPECT_EQ(tree_text(), expected_tree_text());
    EXPECT_NE(tree_text().find("Disable Buzzer : Disable"), std::string::npos);
    EXPECT_NE(tree_text().find("Scan Mode : Continuous"), std::string::npos);
    EXPECT_EQ(count_tree_view_items(tree()).expanded, 0);
}

// A Reset reaches the record at once, so even a Cancel leaves the tree showing it.
TEST_F(ReaderSettingsSheet, CancelAfterResetRebuildsTheTreeWithTheResetValues) {
    state.record.set(Field::scan_mode, 0);
    state.record.set(Field::scanner_timeout, 42);
    expand_all_top_level();
    run_sheet([&](HWND sheet) {
        SendDlgItemMessageA(current_page(sheet), IDC_SCANNER_RESET, BM_CLICK, 0, 0);
        cancel_window(sheet);
    });
    EXPECT_EQ(tree_text(), expected_tree_text());
    EXPECT_NE(tree_text().find("Scanner Timeout: 10 sec"), std::string::npos);
    EXPECT_EQ(count_tree_view_items(tree()).expanded, 0);
    EXPECT_FALSE(state.settings_modified);
}

TEST_F(ReaderSettingsSheet, CancelRebuildsTheTreeFromTheRecordAsItIs) {
    // A record changed behind the tree's back (as Open and a read-back do) shows after Cancel.
    state.record.set(Field::keyboard_type, 150);
    run_sheet([&](HWND sheet) { cancel_window(sheet); });
    EXPECT_NE(tree_text().find("Scanner Interface : Wand Emulation"), std::string::npos);
    EXPECT_EQ(tree_text(), expected_tree_text());
}

}  // namespace
}  // namespace tessmar::test
