// The fleet window with orlo-sim behind three of Wine's COM ports, one of them failing: each
// row's result in tessmar-cli's words, Stop, and a retry of the failed port alone; and the window
// reading the scanners into a folder.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <memory>

#include "app/fleet_window.h"
#include "model/settings_file.h"
#include "model/settings_fingerprint.h"
#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/page_driver.h"
#include "tests/ui/support/scanner_simulator.h"
#include "tests/ui/support/temp_folder.h"

namespace tessmar::test {
namespace {

constexpr DWORD kWaitLimitMs = 30000;
constexpr int kProgressColumn = 1;
constexpr int kResultColumn = 2;
constexpr int kFingerprintColumn = 3;

std::string cell(HWND list, int row, int column) {
    std::array<char, 512> text{};
    ListView_GetItemText(list, row, column, text.data(), static_cast<int>(text.size()));
    return text.data();
}

// Ticks COM1 to COM`count` alone (the first rows).
void tick_first(HWND window, int count) {
    HWND list = GetDlgItem(window, IDC_FLEET_PORTS);
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        ListView_SetCheckState(list, row, row < count);
    }
}

// Lets the window run until Start is enabled again: every port has stopped.
bool wait_for_the_end(HWND window) {
    const DWORD start = GetTickCount();
    while (!IsWindowEnabled(GetDlgItem(window, IDC_FLEET_START)) &&
           GetTickCount() - start < kWaitLimitMs) {
        pump_messages();
        Sleep(10);
    }
    return IsWindowEnabled(GetDlgItem(window, IDC_FLEET_START)) != FALSE;
}

// Lets the window run until `row` shows progress.
void wait_for_progress(HWND window, int row) {
    HWND list = GetDlgItem(window, IDC_FLEET_PORTS);
    const DWORD start = GetTickCount();
    while (cell(list, row, 1).find('%') == std::string::npos &&
           GetTickCount() - start < kWaitLimitMs) {
        pump_messages();
        Sleep(10);
    }
}

std::array<std::string, 3> column_of(HWND window, int column) {
    HWND list = GetDlgItem(window, IDC_FLEET_PORTS);
    return {cell(list, 0, column), cell(list, 1, column), cell(list, 2, column)};
}

std::array<std::string, 3> results(HWND window) {
    return column_of(window, kResultColumn);
}

class FleetWindow : public MainWindowTest {};

TEST_F(FleetWindow, EachPortReportsItsOwnResultAndARetryRerunsOnlyTheFailedOne) {
    ScannerSimulator first(1);
    auto second = std::make_unique<ScannerSimulator>(2, "--silent-after 0");
    ScannerSimulator third(3);
    ASSERT_EQ(first.problem() + second->problem() + third.problem(), "");
    const std::string fingerprint = settings_fingerprint(state.record.bytes);
    std::array<std::string, 3> first_run, first_progress, before_retry, after_retry;
    std::string first_fingerprint;
    ModalScript script;
    script.then([&](HWND window) {
        tick_first(window, 3);
        click(window, IDC_FLEET_START);
        ASSERT_TRUE(wait_for_the_end(window));
        first_run = results(window);
        first_progress = column_of(window, kProgressColumn);
        first_fingerprint = cell(GetDlgItem(window, IDC_FLEET_PORTS), 0, kFingerprintColumn);
        // The scanner on COM2 answers again.
        second.reset();
        second = std::make_unique<ScannerSimulator>(2);
        click(window, IDC_FLEET_RETRY);
        before_retry = results(window);
        ASSERT_TRUE(wait_for_the_end(window));
        after_retry = results(window);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_FLEET_RETRY)));
        press_button(window, IDCANCEL);
    });
    command(IDM_DOWNLOAD_FLEET);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(first_run[0], "verified");
    EXPECT_TRUE(first_run[1].starts_with("download failed: no reply to packet 1")) << first_run[1];
    EXPECT_EQ(first_run[2], "verified");
    // Nothing stopped COM2: it failed.
    EXPECT_EQ(first_progress, (std::array<std::string, 3>{"Done", "Failed", "Done"}));
    EXPECT_EQ(first_fingerprint, fingerprint);
    EXPECT_EQ(before_retry, (std::array<std::string, 3>{"verified", "", "verified"}));
    EXPECT_EQ(after_retry, (std::array<std::string, 3>{"verified", "verified", "verified"}));
    EXPECT_EQ(second->memory().size(), 1792u);
}

TEST_F(FleetWindow, StopEndsEveryPortAtItsNextWait) {
    ScannerSimulator first(1, "--baud 9600");
    ScannerSimulator second(2, "--baud 9600");
    ScannerSimulator third(3, "--baud 9600");
    ASSERT_EQ(first.problem() + second.problem() + third.problem(), "");
    std::array<std::string, 3> stopped, progress;
    bool retry_offered = false;
    ModalScript script;
    script.then([&](HWND window) {
        tick_first(window, 3);
        click(window, IDC_FLEET_START);
        wait_for_progress(window, 2);
        click(window, IDC_FLEET_STOP);
        ASSERT_TRUE(wait_for_the_end(window));
        stopped = results(window);
        progress = column_of(window, kProgressColumn);
        retry_offered = IsWindowEnabled(GetDlgItem(window, IDC_FLEET_RETRY)) != FALSE;
        press_button(window, IDCANCEL);
    });
    command(IDM_DOWNLOAD_FLEET);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    for (const std::string& result : stopped) {
        EXPECT_TRUE(result.starts_with("interrupted at ")) << result;
    }
    EXPECT_EQ(progress, (std::array<std::string, 3>{"Stopped", "Stopped", "Stopped"}));
    EXPECT_TRUE(retry_offered);
    EXPECT_TRUE(first.memory().empty());
}

// A read asks for its folder once, writes each scanner's settings there under tessmar-cli's name
// for the port, and says whether they are the current settings.
TEST_F(FleetWindow, ReadingWritesAFilePerPortAndComparesItWithTheCurrentSettings) {
    load_factory_defaults(state);
    SettingsRecord other = state.record;
    other.set(Field::scanner_timeout, 99);
    struct Case {
        SettingsRecord held;
        std::string file;
        std::string verdict;
    };
    const Case cases[] = {
        {state.record, "COM1-settings.orl", ", matches the current settings"},
        {other, "COM2-settings.orl", ", differs from the current settings"},
    };
    TempFolder folder("fleet-read");
    std::vector<std::unique_ptr<ScannerSimulator>> scanners;
    for (const Case& c : cases) {
        const int port = static_cast<int>(scanners.size()) + 1;
        scanners.push_back(std::make_unique<ScannerSimulator>(
            port, simulator_settings(port, settings_file_bytes(c.held))));
        ASSERT_EQ(scanners.back()->problem(), "");
    }
    int asked = 0;
    std::array<std::string, 3> first_run, second_run;
    ModalScript script;
    script.then([&](HWND window) {
        tick_first(window, 2);
        click(window, IDC_FLEET_START);
        ASSERT_TRUE(wait_for_the_end(window));
        first_run = results(window);
        click(window, IDC_FLEET_START);
        ASSERT_TRUE(wait_for_the_end(window));
        second_run = results(window);
        press_button(window, IDCANCEL);
    });
    show_fleet_window(app, FleetMode::read, "new settings", [&](HWND) {
        ++asked;
        return folder.path().string();
    });
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(second_run, first_run);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string path = folder.file(cases[i].file);
        EXPECT_EQ(first_run[i], "read into " + path + cases[i].verdict);
        const std::vector<std::uint8_t> written = read_file_bytes(path);
        EXPECT_EQ(std::string(written.begin(), written.end()), settings_file_bytes(cases[i].held))
            << path;
    }
}

}  // namespace
}  // namespace tessmar::test
