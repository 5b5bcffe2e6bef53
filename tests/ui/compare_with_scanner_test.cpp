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
#include "win32/dpi.h"

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
        shown.rows.push_back({item_text(list, i, 0), item_text(list, i, 1), item_text(list, i, 2),
                              item_text(list, i, 3)});
    }
    return shown;
}

RECT child_rect(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowRect(nullptr, dialog, &rect);
    return rect;
}

SIZE window_size(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

class CompareWithScanner : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        state.current_file_path = "C:\\settings\\A.orl";
        state.settings_modified = true;
    }

    // The steps to the comparison: the port dialog (COM1), then the comparison, which is read
    // into `shown` and left by `button`.
    static ModalScript& through_comparison(ModalScript& script, Shown& shown, int button = IDOK) {
        script.then([](HWND dialog) { press_button(dialog, IDOK); });
        return script.then([&shown, button](HWND dialog) {
            shown = read_dialog(dialog);
            press_button(dialog, button);
        });
    }

    void run(const ModalScript& script) {
        command(IDM_COMPARE_WITH_SCANNER);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    }

    Shown compare() {
        ModalScript script;
        Shown shown;
        through_comparison(script, shown);
        run(script);
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
    EXPECT_EQ(shown.rows[0], (std::vector<std::string>{"Scanner Timeout", "Scanner", "99 sec",
                                                       std::to_string(factory_timeout) + " sec"}));
    EXPECT_EQ(shown.rows[1], (std::vector<std::string>{"Byte 26 (0x001A)", "shown by no line",
                                                       byte_value(before.bytes[26]),
                                                       byte_value(factory_record().bytes[26])}));
    expect_untouched(before);
}

TEST_F(CompareWithScanner, SendingTessmarsSettingsDownloadsThem) {
    ScannerSimulator scanner(1);
    ASSERT_EQ(scanner.problem(), "");
    state.record.set(Field::scanner_timeout, 99);
    const SettingsRecord before = state.record;
    ModalScript script;
    Shown shown;
    through_comparison(script, shown, IDC_COMPARE_SEND)
        .then([](HWND ports) { press_button(ports, IDOK); })
        .answer(IDOK);
    run(script);
    ASSERT_EQ(script.message_boxes().size(), 1u);
    EXPECT_EQ(script.message_boxes()[0].text, "Downloaded completely!");
    std::vector<std::uint8_t> image(before.bytes.begin(), before.bytes.end());
    image.resize(1792, 0x00);
    EXPECT_EQ(scanner.memory(), image);
    expect_untouched(before);
}

// As after Read scanner settings: a new, unsaved document, opened in Reader Settings.
TEST_F(CompareWithScanner, UsingTheScannersSettingsMakesThemTheDocumentAsAReadDoes) {
    ScannerSimulator scanner(1);  // the factory settings
    ASSERT_EQ(scanner.problem(), "");
    state.record.set(Field::scanner_timeout, 99);
    ModalScript script;
    Shown shown;
    std::string sheet;
    through_comparison(script, shown, IDC_COMPARE_USE).answer(IDNO).then([&sheet](HWND window) {
        sheet = window_text(window);
        cancel_window(window);
    });
    run(script);
    ASSERT_EQ(script.message_boxes().size(), 1u);
    EXPECT_EQ(script.message_boxes()[0].text, "Save current settings ?");
    EXPECT_EQ(sheet, "Reader Settings");
    EXPECT_EQ(state.record, factory_record());
    EXPECT_EQ(state.current_file_path, "");
    EXPECT_TRUE(state.settings_modified);
}

TEST_F(CompareWithScanner, TheListFillsTheResizedDialogWhichKeepsItsSize) {
    ScannerSimulator scanner(1);
    ASSERT_EQ(scanner.problem(), "");
    state.record.set(Field::scanner_timeout, 99);
    SIZE grown{};
    RECT list{}, grown_list{}, ok{}, grown_ok{};
    ModalScript script;
    script.then([](HWND ports) { press_button(ports, IDOK); });
    script.then([&](HWND dialog) {
        list = child_rect(dialog, IDC_COMPARE_LIST);
        ok = child_rect(dialog, IDOK);
        const SIZE first = window_size(dialog);
        SetWindowPos(dialog, nullptr, 0, 0, first.cx + 200, first.cy + 100,
                     SWP_NOMOVE | SWP_NOZORDER);
        grown = window_size(dialog);
        grown_list = child_rect(dialog, IDC_COMPARE_LIST);
        grown_ok = child_rect(dialog, IDOK);
        press_button(dialog, IDOK);
    });
    run(script);
    EXPECT_EQ(grown_list.right - list.right, 200);
    EXPECT_EQ(grown_list.bottom - list.bottom, 100);
    EXPECT_EQ(grown_ok.left - ok.left, 200);
    EXPECT_EQ(grown_ok.top - ok.top, 100);

    SIZE reopened{};
    ModalScript again;
    again.then([](HWND ports) { press_button(ports, IDOK); });
    again.then([&reopened](HWND dialog) {
        reopened = window_size(dialog);
        press_button(dialog, IDOK);
    });
    run(again);
    EXPECT_EQ(reopened.cx, grown.cx);
    EXPECT_EQ(reopened.cy, grown.cy);
}

// Moved to a monitor of twice the DPI, the dialog keeps the user's size, its controls keep their
// distances to the edges at the new DPI and its smallest size grows with it; reopened, it has
// the same size in units of 96 DPI.
TEST_F(CompareWithScanner, AChangeOfDpiLaysTheDialogOutAtTheNewDpiAndKeepsItsSize) {
    ScannerSimulator scanner(1);
    ASSERT_EQ(scanner.problem(), "");
    state.record.set(Field::scanner_timeout, 99);
    int dpi = 0;
    SIZE first{}, moved{};
    RECT first_client{}, moved_client{}, ok{}, moved_ok{}, list{}, moved_list{};
    MINMAXINFO limits{};
    ModalScript script;
    script.then([](HWND ports) { press_button(ports, IDOK); });
    script.then([&](HWND dialog) {
        dpi = window_dpi(dialog);
        GetClientRect(dialog, &first_client);
        first = window_size(dialog);
        ok = child_rect(dialog, IDOK);
        list = child_rect(dialog, IDC_COMPARE_LIST);
        RECT suggested{};
        GetWindowRect(dialog, &suggested);
        suggested.right = suggested.left + 2 * first.cx;
        suggested.bottom = suggested.top + 2 * first.cy;
        SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        moved = window_size(dialog);
        GetClientRect(dialog, &moved_client);
        moved_ok = child_rect(dialog, IDOK);
        moved_list = child_rect(dialog, IDC_COMPARE_LIST);
        SendMessageA(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        press_button(dialog, IDOK);
    });
    run(script);
    EXPECT_EQ(moved.cx, 2 * first.cx);
    EXPECT_EQ(moved.cy, 2 * first.cy);
    // Distances to the client area's edges, at 96 DPI's scale.
    const struct {
        const char* what;
        int first, moved;
    } kDistances[] = {
        {"OK from the right", first_client.right - ok.right, moved_client.right - moved_ok.right},
        {"OK from the bottom", first_client.bottom - ok.bottom,
         moved_client.bottom - moved_ok.bottom},
        {"OK's width", ok.right - ok.left, moved_ok.right - moved_ok.left},
        {"the list from the left", list.left, moved_list.left},
        {"the list from the right", first_client.right - list.right,
         moved_client.right - moved_list.right},
    };
    for (const auto& d : kDistances) {
        EXPECT_NEAR(d.moved, 2 * d.first, 2) << d.what;
    }
    EXPECT_NEAR(limits.ptMinTrackSize.x, 2 * first.cx, 2);
    EXPECT_NEAR(limits.ptMinTrackSize.y, 2 * first.cy, 2);

    SIZE reopened{};
    ModalScript again;
    again.then([](HWND ports) { press_button(ports, IDOK); });
    again.then([&reopened](HWND dialog) {
        reopened = window_size(dialog);
        press_button(dialog, IDOK);
    });
    run(again);
    EXPECT_NEAR(reopened.cx, first.cx, 1);
    EXPECT_NEAR(reopened.cy, first.cy, 1);
}

TEST_F(CompareWithScanner, CancellingThePortDialogComparesNothing) {
    state.port.selected_port_index = 3;
    const SettingsRecord before = state.record;
    ModalScript script;
    script.cancel();  // nothing may follow the port dialog
    command(IDM_COMPARE_WITH_SCANNER);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(state.port.selected_port_index, 3);
    expect_untouched(before);
}

}  // namespace
}  // namespace tessmar::test
