// Compare with scanner... as a user meets it: the port dialog, a read-back with its progress
// window, then the "Compare with Scanner" dialog; orlo-sim behind Wine's COM1.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "resources/resource.h"
#include "summary/record_comparison.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/scanner_simulator.h"
#include "tests/ui/support/temp_folder.h"

namespace tessmar::test {
namespace {

// What the dialog showed.
struct Shown {
    std::string caption;
    std::string verdict;
    bool list_visible = false;
    std::vector<std::vector<std::string>> rows;
};

std::string item_text(HWND list, int item, int column) {
    std::array<char, 256> text{};
    ListView_GetItemText(list, item, column, text.data(), static_cast<int>(text.size()));
    return text.data();
}

Shown read_dialog(HWND dialog) {
    Shown shown;
    shown.caption = window_text(dialog);
    shown.verdict = window_text(GetDlgItem(dialog, IDC_COMPARE_VERDICT));
    HWND list = GetDlgItem(dialog, IDC_COMPARE_LIST);
    shown.list_visible = IsWindowVisible(list);
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        shown.rows.push_back({item_text(list, i, 0), item_text(list, i, 1), item_text(list, i, 2)});
    }
    return shown;
}

class CompareWithScanner : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        state.current_file_path = "C:\\settings\\A.orl";
        state.settings_modified = true;
    }

    // Runs the command through the port dialog (COM1) to the comparison, and reads it.
    Shown compare() {
        Shown shown;
        ModalScript script;
        script.then([](HWND dialog) { press_button(dialog, IDOK); });
        script.then([&](HWND dialog) {
            shown = read_dialog(dialog);
            press_button(dialog, IDOK);
        });
        command(IDM_COMPARE_WITH_SCANNER);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        return shown;
    }

    // Neither the record nor the document state changed.
    void expect_untouched(const SettingsRecord& before) {
        EXPECT_EQ(state.record, before);
        EXPECT_EQ(state.current_file_path, "C:\\settings\\A.orl");
        EXPECT_TRUE(state.settings_modified);
    }
};

TEST_F(CompareWithScanner, AScannerThatHoldsTheCurrentSettingsIsSaidToHoldThem) {
    ScannerSimulator scanner(1);  // the factory settings, as the record
    ASSERT_EQ(scanner.problem(), "");
    const SettingsRecord before = state.record;
    const Shown shown = compare();
    EXPECT_EQ(shown.caption, "Compare with Scanner");
    EXPECT_EQ(shown.verdict, "The scanner holds exactly the current settings.");
    EXPECT_FALSE(shown.list_visible);
    expect_untouched(before);
}

TEST_F(CompareWithScanner, ADifferentScannerIsListedSettingBySetting) {
    ScannerSimulator scanner(1);
    ASSERT_EQ(scanner.problem(), "");
    const unsigned factory_timeout = state.record.get(Field::scanner_timeout);
    state.record.set(Field::scanner_timeout, 99);
    state.record.set(Field::baud_rate, 5);  // the RS-232 line: no line of a keyboard wedge shows it
    const SettingsRecord before = state.record;
    const Shown shown = compare();
    EXPECT_EQ(shown.verdict,
              "The scanner holds other settings than the current ones: 2 "
              "differences.");
    EXPECT_TRUE(shown.list_visible);
    ASSERT_EQ(shown.rows.size(), 2u);
    EXPECT_EQ(shown.rows[0], (std::vector<std::string>{"Scanner > Scanner Timeout", "99 sec",
                                                       std::to_string(factory_timeout) + " sec"}));
    EXPECT_EQ(shown.rows[1][0].rfind("Byte 26 (0x001A)", 0), 0u) << shown.rows[1][0];
    EXPECT_EQ(shown.rows[1][1], byte_value(before.bytes[26]));
    EXPECT_EQ(shown.rows[1][2], byte_value(factory_record().bytes[26]));
    expect_untouched(before);
}

TEST_F(CompareWithScanner, CancellingThePortDialogComparesNothing) {
    state.selected_port_index = 3;
    const SettingsRecord before = state.record;
    ModalScript script;
    script.cancel();  // nothing may follow the port dialog
    command(IDM_COMPARE_WITH_SCANNER);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(state.selected_port_index, 3);
    expect_untouched(before);
}

}  // namespace
}  // namespace tessmar::test
