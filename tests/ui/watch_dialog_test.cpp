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

}  // namespace
}  // namespace tessmar::test
