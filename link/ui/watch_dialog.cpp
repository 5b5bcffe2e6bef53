#include "link/ui/watch_dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/key_watch.h"
#include "link/scan_watch.h"
#include "link/ui/port_dialog.h"
#include "model/value_texts.h"
#include "resources/resource.h"
#include "win32/anchored_layout.h"
#include "win32/clipboard.h"
#include "win32/dialog_controls.h"
#include "win32/dialog_procedure.h"
#include "win32/dpi.h"
#include "win32/procedure_barrier.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT_PTR kRecordingTimer = 2;  // looks for the quiet that ends a recording
constexpr UINT kRecordingCheckMs = 100;
constexpr UINT_PTR kKeysSubclassId = 1;
// The port is read this often; its queue holds a scan of 256 bytes, a few at 38400 baud.
constexpr UINT kReadEveryMs = USER_TIMER_MINIMUM;

constexpr const char* kColumns[] = {"Time", "Scan", "Gaps", "Check"};
constexpr int kColumnShares[] = {16, 44, 12, 28};  // percent of the list's first width
static_assert(std::size(kColumns) == std::size(kColumnShares));

constexpr AnchoredControl kLayout[] = {
    {IDC_WATCH_RS232_GROUP, kWider | kTaller},
    {IDC_WATCH_START, kFollowsRight},
    {IDC_WATCH_STATUS, kWider},
    {IDC_WATCH_SCANS, kWider | kTaller},
    {IDC_WATCH_CLEAR, kFollowsBottom},
    {IDOK, kFollowsRight | kFollowsBottom},
};

// The line lists, each filled from its texts in the order of the record's values.
struct LineList {
    int id;
    Field field;
    std::span<const char* const> texts;
};
const LineList kLineLists[] = {
    {IDC_WATCH_BAUD, Field::baud_rate, texts::baud_rate},
    {IDC_WATCH_PARITY, Field::parity, texts::parity},
    {IDC_WATCH_DATA_BITS, Field::data_bit, texts::data_bit},
    {IDC_WATCH_FLOW, Field::flow_control, texts::flow_control},
};

struct Row {
    std::string time;
    ReceivedScan scan;
};

struct KeyRow {
    std::string time;
    std::vector<WatchedKey> keys;
    std::vector<std::uint32_t> gaps_ms;
};

struct Watch {
    Watch(const ProgramState& program, ScanFraming expected)
        : state(program), framing(std::move(expected)) {}

    const ProgramState& state;
    ScanFraming framing;
    std::unique_ptr<SerialPort> port;  // open while listening
    std::optional<ScanSplitter> splitter;
    SystemTickClock clock;
    std::vector<Row> rows;
    std::optional<KeyRecorder> recorder;  // while the keyboard pane records
    std::vector<KeyRow> key_rows;
    AnchoredLayout layout;
};

std::string now_text() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return time_of_day_text(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

std::string check_text(const ScanFraming& framing, const ReceivedScan& scan) {
    std::string text;
    for (const std::string& problem : framing_problems(framing, scan.bytes)) {
        text += (text.empty() ? "" : "; ") + problem;
    }
    return text.empty() ? "ok" : "MISMATCH: " + text;
}

std::vector<std::string> row_texts(HWND dialog, const Watch& watch, const Row& row) {
    const bool hex = Button_GetCheck(GetDlgItem(dialog, IDC_WATCH_HEX)) == BST_CHECKED;
    return {row.time, hex ? hex_text(row.scan.bytes) : visible_text(row.scan.bytes),
            gaps_text(row.scan.gaps_ms), check_text(watch.framing, row.scan)};
}

void set_row(HWND list, int index, const std::vector<std::string>& texts, bool insert) {
    if (insert) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = const_cast<char*>(texts[0].c_str());
        ListView_InsertItem(list, &item);
    }
    for (int column = 0; column < static_cast<int>(texts.size()); ++column) {
        ListView_SetItemText(list, index, column, const_cast<char*>(texts[column].c_str()));
    }
    if (insert) {
        ListView_EnsureVisible(list, index, FALSE);
    }
}

void show_row(HWND dialog, const Watch& watch, int index, bool insert) {
    set_row(GetDlgItem(dialog, IDC_WATCH_SCANS), index, row_texts(dialog, watch, watch.rows[index]),
            insert);
}

void add_row(HWND dialog, Watch& watch, ReceivedScan scan) {
    watch.rows.push_back({now_text(), std::move(scan)});
    show_row(dialog, watch, static_cast<int>(watch.rows.size()) - 1, true);
}

std::string key_text_or_none(const std::vector<std::uint8_t>& bytes) {
    return bytes.empty() ? "none" : visible_text(bytes);
}

void show_status(HWND dialog, const Watch& watch, const std::string& first) {
    const std::string expected = "Expects prefix " + key_text_or_none(watch.framing.prefix) +
                                 " and suffix " + key_text_or_none(watch.framing.suffix) + ".";
    SetDlgItemTextA(dialog, IDC_WATCH_STATUS, (first + " " + expected).c_str());
}

void fill_lists(HWND dialog, const Watch& watch) {
    HWND ports = GetDlgItem(dialog, IDC_WATCH_PORT);
    const std::string chosen = chosen_port(watch.state.port);
    for (const std::string& name : offered_ports()) {
        const int index = ComboBox_AddString(ports, name.c_str());
        if (name == chosen) {
            ComboBox_SetCurSel(ports, index);
        }
    }
    // A port chosen in an earlier run may be gone: offer the first.
    if (ComboBox_GetCurSel(ports) == CB_ERR) {
        ComboBox_SetCurSel(ports, 0);
    }
    for (const LineList& line : kLineLists) {
        HWND list = GetDlgItem(dialog, line.id);
        for (const char* text : line.texts) {
            ComboBox_AddString(list, text);
        }
        ComboBox_SetCurSel(list, static_cast<int>(watch.state.record.get(line.field)));
    }
}

void add_columns(HWND list, const char* check) {
    RECT client{};
    GetClientRect(list, &client);
    const int width = client.right - system_metric_for_dpi(SM_CXVSCROLL, window_dpi(list));
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(i == 1 ? check : kColumns[i]);
        column.cx = width * kColumnShares[i] / 100;
        column.iSubItem = i;
        ListView_InsertColumn(list, i, &column);
    }
}

LRESULT CALLBACK keys_proc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data);

void finish_recording(HWND dialog, Watch& watch) {
    KillTimer(dialog, kRecordingTimer);
    KeyRow row{now_text(), watch.recorder->keys(), watch.recorder->gaps_ms()};
    watch.recorder.reset();
    SetDlgItemTextA(dialog, IDC_WATCH_KEY_STATUS, "Recorded. Record keys again for another scan.");
    EnableWindow(GetDlgItem(dialog, IDC_WATCH_RECORD), TRUE);
    if (row.keys.empty()) {
        return;
    }
    std::string check;
    for (const std::string& problem :
         key_framing_problems(row.keys, watch.state.record.key_string(KeySlot::prefix_code),
                              watch.state.record.key_string(KeySlot::suffix_code))) {
        check += (check.empty() ? "" : "; ") + problem;
    }
    watch.key_rows.push_back(row);
    set_row(GetDlgItem(dialog, IDC_WATCH_KEYS), static_cast<int>(watch.key_rows.size()) - 1,
            {row.time, watched_keys_text(row.keys), gaps_text(row.gaps_ms),
             check.empty() ? "ok" : "MISMATCH: " + check},
            true);
}

void start_recording(HWND dialog, Watch& watch) {
    if (!SetTimer(dialog, kRecordingTimer, kRecordingCheckMs, nullptr)) {
        report_error(dialog, "Can't record keys: no timer is left.");
        return;
    }
    watch.recorder.emplace(key_string_bytes(watch.state.record.key_string(KeySlot::suffix_code)),
                           GetTickCount());
    SetDlgItemTextA(dialog, IDC_WATCH_KEY_STATUS,
                    "Recording every key until the suffix, or 2 seconds without a key.");
    HWND keys = GetDlgItem(dialog, IDC_WATCH_KEYS);
    SetFocus(keys);
    EnableWindow(GetDlgItem(dialog, IDC_WATCH_RECORD), FALSE);
}

// While recording, the keys list takes every key a scanner can send, Tab, Esc, Enter, Alt and F1
// included, before the dialog manager would act on it.
LRESULT on_keys_message(HWND list, Watch& watch, UINT message, WPARAM wParam, LPARAM lParam) {
    if (watch.recorder) {
        const unsigned scan_code = (static_cast<unsigned>(lParam) >> 16) & 0xFF;
        const bool extended = (lParam & (1 << 24)) != 0;
        switch (message) {
            case WM_GETDLGCODE:
                return DLGC_WANTALLKEYS | DLGC_WANTMESSAGE;
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                if (watch.recorder->key_down(scan_code, extended, GetTickCount())) {
                    finish_recording(GetParent(list), watch);
                }
                return 0;
            case WM_KEYUP:
            case WM_SYSKEYUP:
                watch.recorder->key_up(scan_code, extended);
                return 0;
            case WM_CHAR:
            case WM_SYSCHAR:
            case WM_SYSDEADCHAR:
            case WM_DEADCHAR:
                return 0;
        }
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, keys_proc, kKeysSubclassId);
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT CALLBACK keys_proc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
    return within_barrier(
        [&] {
            return on_keys_message(list, *reinterpret_cast<Watch*>(data), message, wParam, lParam);
        },
        [&] { return DefSubclassProc(list, message, wParam, lParam); });
}

BOOL on_init_dialog(HWND dialog, Watch& watch) {
    watch.layout.note_first_layout(dialog, kLayout);
    fill_lists(dialog, watch);
    HWND list = GetDlgItem(dialog, IDC_WATCH_SCANS);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    add_columns(list, kColumns[1]);
    HWND keys = GetDlgItem(dialog, IDC_WATCH_KEYS);
    ListView_SetExtendedListViewStyle(keys, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    add_columns(keys, "Keys");
    SetWindowSubclass(keys, keys_proc, kKeysSubclassId, reinterpret_cast<DWORD_PTR>(&watch));
    show_status(dialog, watch, "Not listening.");
    SetDlgItemTextA(dialog, IDC_WATCH_KEY_STATUS, "For a keyboard wedge: Record keys, then scan.");
    return TRUE;
}

// The line the lists show, in the record's values.
SettingsRecord chosen_line(HWND dialog, const Watch& watch) {
    SettingsRecord record = watch.state.record;
    for (const LineList& line : kLineLists) {
        record.set(line.field,
                   static_cast<unsigned>(ComboBox_GetCurSel(GetDlgItem(dialog, line.id))));
    }
    return record;
}

void enable_line_choice(HWND dialog, bool enable) {
    EnableWindow(GetDlgItem(dialog, IDC_WATCH_PORT), enable);
    for (const LineList& line : kLineLists) {
        EnableWindow(GetDlgItem(dialog, line.id), enable);
    }
    SetDlgItemTextA(dialog, IDC_WATCH_START, enable ? "&Start" : "S&top");
}

void start(HWND dialog, Watch& watch) {
    const std::string port = control_text(GetDlgItem(dialog, IDC_WATCH_PORT));
    const LineSettings line = rs232_line_settings(chosen_line(dialog, watch));
    OpenedPort opened = open_port_for_watching(port, line);
    if (!opened.port) {
        report_error(dialog, "Can't watch the scanner's output.", opened.reason);
        return;
    }
    if (!SetTimer(dialog, kWatchTimer, kReadEveryMs, nullptr)) {
        report_error(dialog, "Can't watch the scanner's output: no timer is left.");
        return;
    }
    watch.port = std::move(opened.port);
    watch.splitter.emplace(watch.framing.suffix);
    enable_line_choice(dialog, false);
    show_status(dialog, watch, "Listening on " + port + " at " + line_settings_text(line) + ".");
}

// What came last is kept, however short.
void stop(HWND dialog, Watch& watch) {
    if (!watch.port) {
        return;
    }
    KillTimer(dialog, kWatchTimer);
    watch.port.reset();
    if (auto rest = watch.splitter->take_rest()) {
        add_row(dialog, watch, std::move(*rest));
    }
    enable_line_choice(dialog, true);
    show_status(dialog, watch, "Not listening.");
}

void on_timer(HWND dialog, Watch& watch) {
    if (!watch.port) {
        return;
    }
    for (ReceivedScan& scan : watch_port(*watch.port, watch.clock, *watch.splitter, 1)) {
        add_row(dialog, watch, std::move(scan));
    }
}

bool on_command(HWND dialog, Watch& watch, int id, UINT) {
    switch (id) {
        case IDC_WATCH_START:
            watch.port ? stop(dialog, watch) : start(dialog, watch);
            return true;
        case IDC_WATCH_HEX:
            for (std::size_t i = 0; i < watch.rows.size(); ++i) {
                show_row(dialog, watch, static_cast<int>(i), false);
            }
            return true;
        case IDC_WATCH_RECORD:
            start_recording(dialog, watch);
            return true;
        case IDC_WATCH_CLEAR:
            watch.rows.clear();
            watch.key_rows.clear();
            ListView_DeleteAllItems(GetDlgItem(dialog, IDC_WATCH_SCANS));
            ListView_DeleteAllItems(GetDlgItem(dialog, IDC_WATCH_KEYS));
            return true;
        case IDOK:
        case IDCANCEL:
            stop(dialog, watch);
            EndDialog(dialog, id);
            return true;
    }
    return false;
}

INT_PTR on_notify(HWND dialog, Watch&, const NMHDR& header) {
    if ((header.idFrom == IDC_WATCH_SCANS || header.idFrom == IDC_WATCH_KEYS) &&
        is_copy_key(header)) {
        copy_to_clipboard(dialog, list_view_text(header.hwndFrom));
    }
    return FALSE;
}

INT_PTR on_message(HWND dialog, Watch& watch, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kWatchTimer) {
                on_timer(dialog, watch);
            } else if (wParam == kRecordingTimer && watch.recorder &&
                       watch.recorder->quiet_since(GetTickCount())) {
                finish_recording(dialog, watch);
            }
            return TRUE;
    }
    return watch.layout.handle(dialog, message, wParam, lParam);
}

constexpr DialogHandlers<Watch> kHandlers = {
    .init = on_init_dialog, .command = on_command, .notify = on_notify, .message = on_message};

}  // namespace

void watch_scanner_output(HINSTANCE instance, HWND owner, const ProgramState& state) {
    Watch watch(state, scan_framing(state.record));
    run_modal_dialog<Watch, kHandlers>(instance, "WatchDlg", owner, watch);
}

}  // namespace tessmar
