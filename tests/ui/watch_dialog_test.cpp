// Download > Watch scanner output... with orlo-sim playing scans behind Wine's COM1.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstring>

#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/scanner_simulator.h"

namespace tessmar::test {
namespace {

constexpr DWORD kWaitLimitMs = 10000;

std::string item_text(HWND list, int item, int column) {
    std::array<char, 256> text{};
    ListView_GetItemText(list, item, column, text.data(), static_cast<int>(text.size()));
    return text.data();
}

// The Scan and Check columns of every row.
std::vector<std::string> rows_of(HWND list) {
    std::vector<std::string> rows;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        rows.push_back(item_text(list, i, 1) + " | " + item_text(list, i, 3));
    }
    return rows;
}

// Lets the window read until it shows `count` rows, or the limit passes.
void wait_for_rows(HWND list, int count) {
    const DWORD start = GetTickCount();
    while (ListView_GetItemCount(list) < count && GetTickCount() - start < kWaitLimitMs) {
        pump_messages();
        Sleep(10);
    }
}

struct WatchCase {
    const char* name;
    const char* suffix;   // the current settings' suffix
    const char* scanner;  // orlo-sim's options
    std::vector<std::string> rows;
};

const WatchCase kCases[] = {
    {"a matching scan", "\r", "--scan 12345", {"12345[CR] | ok"}},
    {"a wrong suffix",
     "\r\n",
     "--scan 12345",
     {"12345[CR] | MISMATCH: expected suffix [CR][LF], got [CR]"}},
    {"a scan split by a long gap",
     "\r",
     "--scan 12345 --split 3 --pause 300",
     {"123 | MISMATCH: expected suffix [CR], got nothing", "45[CR] | ok"}},
};

class WatchScannerOutput : public MainWindowTest {};

TEST_F(WatchScannerOutput, ListsEachScanWithItsCheckAndNeverWrites) {
    for (const WatchCase& c : kCases) {
        ScannerSimulator scanner(1, c.scanner);
        ASSERT_EQ(scanner.problem(), "") << c.name;
        MutableKeyString suffix = state.record.key_string(KeySlot::suffix_code);
        std::fill(suffix.begin(), suffix.end(), 0);
        std::copy(c.suffix, c.suffix + std::strlen(c.suffix), suffix.begin());
        const SettingsRecord before = state.record;
        std::vector<std::string> rows;
        std::string hex;
        ModalScript script;
        script.then([&](HWND dialog) {
            press_button(dialog, IDC_WATCH_START);
            HWND list = GetDlgItem(dialog, IDC_WATCH_SCANS);
            wait_for_rows(list, static_cast<int>(c.rows.size()));
            rows = rows_of(list);
            SendMessageA(GetDlgItem(dialog, IDC_WATCH_HEX), BM_CLICK, 0, 0);  // checks it
            hex = item_text(list, 0, 1);
            press_button(dialog, IDOK);
        });
        command(IDM_WATCH_SCANNER_OUTPUT);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        EXPECT_EQ(rows, c.rows) << c.name;
        EXPECT_EQ(hex, "31 32 33" + std::string(c.rows.size() == 1 ? " 34 35 0D" : "")) << c.name;
        EXPECT_EQ(state.record, before) << c.name;
        // A download would have left the scanner's memory behind.
        EXPECT_TRUE(scanner.memory().empty()) << c.name;
    }
}

// A key held while others are pressed, as a scanner holds Shift or Alt.
void post_key_event(HWND window, int virtual_key, bool down) {
    const bool alt = virtual_key == VK_MENU || GetKeyState(VK_MENU) < 0;
    const auto scan_code = static_cast<LPARAM>(MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC));
    const LPARAM flags = 1 | (scan_code << 16) | (down ? 0 : (LPARAM{3} << 30));
    const UINT message =
        alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    PostMessageA(window, message, static_cast<WPARAM>(virtual_key), flags);
    pump_through_dialog_manager();
}

void press_with(HWND window, int modifier, int virtual_key) {
    post_key_event(window, modifier, true);
    post_key_event(window, virtual_key, true);
    post_key_event(window, virtual_key, false);
    post_key_event(window, modifier, false);
}

// The keys the dialog manager would take (Tab, Esc, Enter, Alt with a mnemonic) are recorded;
// the factory suffix, [Enter], ends the first recording, two quiet seconds the second.
TEST_F(WatchScannerOutput, TheKeyboardPaneRecordsEveryKeyUntilTheSuffixOrTwoQuietSeconds) {
    std::vector<std::vector<std::string>> rows;
    std::string start_caption;
    ModalScript script;
    script.then([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_WATCH_KEYS);
        SendMessageA(GetDlgItem(dialog, IDC_WATCH_RECORD), BM_CLICK, 0, 0);
        pump_through_dialog_manager();
        for (const int key : {VK_TAB, VK_ESCAPE, VK_F1}) {
            press_key(GetFocus(), key);
        }
        press_with(GetFocus(), VK_SHIFT, 'A');
        press_with(GetFocus(), VK_MENU, 'S');  // "&Start"'s access key
        press_key(GetFocus(), '1');
        press_key(GetFocus(), VK_RETURN);
        SendMessageA(GetDlgItem(dialog, IDC_WATCH_RECORD), BM_CLICK, 0, 0);
        pump_through_dialog_manager();
        press_key(GetFocus(), '2');
        wait_for_rows(list, 2);
        for (int i = 0; i < ListView_GetItemCount(list); ++i) {
            rows.push_back({item_text(list, i, 1), item_text(list, i, 3)});
        }
        start_caption = window_text(GetDlgItem(dialog, IDC_WATCH_START));
        press_button(dialog, IDOK);
    });
    command(IDM_WATCH_SCANNER_OUTPUT);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{
                        {"[HT][ESC][F1][Shift][A][LeftAlt][S]1[Enter]", "ok"},
                        {"2", "MISMATCH: expected suffix [Enter], got 2"}}));
    EXPECT_EQ(start_caption, "&Start");  // Alt+S went to the recording, not to Start
}

}  // namespace
}  // namespace tessmar::test
