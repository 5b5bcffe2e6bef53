#include "app/fleet_window.h"

#include <commctrl.h>
#include <shlobj.h>
#include <windowsx.h>

#include <array>
#include <memory>
#include <vector>

#include "files/file_replacement.h"
#include "link/fleet.h"
#include "link/ui/port_dialog.h"
#include "link/ui/scanner_link.h"
#include "model/settings_file.h"
#include "model/settings_fingerprint.h"
#include "resources/resource.h"
#include "win32/anchored_layout.h"
#include "win32/clipboard.h"
#include "win32/common_controls.h"
#include "win32/dialog_controls.h"
#include "win32/dialog_procedure.h"
#include "win32/dpi.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

// A port thread's event: the lParam of this message, owned by the window once posted.
constexpr UINT kFleetEventMessage = WM_APP + 1;

// Where the ports ticked last are kept from one run to the next, a ';' between two.
constexpr char kSettingsKey[] = "Software\\Tessmar";
constexpr char kTickedValue[] = "FleetPorts";

enum Column { kPortColumn, kProgressColumn, kResultColumn, kFingerprintColumn };
struct ColumnSpec {
    const char* title;
    int share;  // percent of the list's first width
};
constexpr ColumnSpec kColumns[] = {
    {"Port", 14}, {"Progress", 24}, {"Result", 46}, {"Fingerprint", 16}};

constexpr AnchoredControl kLayout[] = {
    {IDC_FLEET_SETTINGS, kWider},
    {IDC_FLEET_FOLDER, kWider},
    {IDC_FLEET_PORTS, kWider | kTaller},
    {IDC_FLEET_VERIFY, kFollowsBottom},
    {IDC_FLEET_START, kFollowsRight | kFollowsBottom},
    {IDC_FLEET_STOP, kFollowsRight | kFollowsBottom},
    {IDC_FLEET_RETRY, kFollowsRight | kFollowsBottom},
    {IDOK, kFollowsRight | kFollowsBottom},
};

struct FleetEvent {
    enum class Kind { started, progress, finished } kind;
    std::size_t index;
    const char* label = "";  // the transfer's, a literal of the engine
    int percent = 0;
    FleetOutcome outcome;
};

// Posts each port's events to the window; a progress event only when its percentage changes.
class PostedEvents final : public FleetEvents {
  public:
    PostedEvents(HWND window, std::size_t count) : window_(window), shown_(count) {}

    void started(std::size_t index) override {
        post({FleetEvent::Kind::started, index, "", 0, {}}, true);
    }
    void progress(std::size_t index, const char* label, int position, int top) override {
        const int percent = top > 0 ? std::clamp(position * 100 / top, 0, 100) : 0;
        if (shown_[index].label != label || shown_[index].percent != percent) {
            shown_[index] = {label, percent};
            post({FleetEvent::Kind::progress, index, label, percent, {}}, false);
        }
    }
    void finished(std::size_t index, const FleetOutcome& outcome) override {
        post({FleetEvent::Kind::finished, index, "", 100, outcome}, true);
    }

  private:
    // The window counts the ports' ends, so they must arrive: a post fails only while the
    // window's queue is full, and they wait their turn. A lost progress step is drawn by the next.
    void post(FleetEvent event, bool must_arrive) {
        auto posted = std::make_unique<FleetEvent>(std::move(event));
        while (
            !PostMessageA(window_, kFleetEventMessage, 0, reinterpret_cast<LPARAM>(posted.get()))) {
            if (!must_arrive || !IsWindow(window_)) {
                return;
            }
            Sleep(10);
        }
        posted.release();
    }

    struct Shown {
        const char* label = nullptr;
        int percent = -1;
    };
    HWND window_;
    std::vector<Shown> shown_;  // each port's, touched only by its own thread
};

struct Row {
    std::string port;
    int percent = -1;  // none drawn
    bool failed = false;
};

struct FleetWindow {
    FleetWindow(FleetMode shown, std::string name, const SettingsRecord& current,
                const FolderChooser& chooser)
        : mode(shown), settings_name(std::move(name)), record(current), choose_folder(chooser) {}

    FleetMode mode;
    std::string settings_name;
    SettingsRecord record;  // what is sent, or what the scanners are compared with
    std::vector<Row> rows;
    const FolderChooser& choose_folder;
    std::string folder;  // read: chosen at the first Start
    // One run's: declared in this order so the fleet's threads end before what they use goes.
    std::unique_ptr<Cancellation> cancel;
    std::unique_ptr<PostedEvents> events;
    std::vector<std::size_t> run_rows;   // the row of each port of the run
    std::vector<std::string> run_paths;  // read: each port's file
    std::unique_ptr<Fleet> fleet;
    std::size_t running = 0;
    bool closing = false;  // closes once every port has stopped
    AnchoredLayout layout;
};

std::vector<std::string> remembered_ticks() {
    std::array<char, 1024> text{};
    DWORD size = static_cast<DWORD>(text.size());
    if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, kTickedValue, RRF_RT_REG_SZ, nullptr,
                     text.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    std::vector<std::string> ports;
    std::string rest = text.data();
    for (std::size_t end; (end = rest.find(';')) != std::string::npos; rest.erase(0, end + 1)) {
        ports.push_back(rest.substr(0, end));
    }
    ports.push_back(rest);
    return ports;
}

void remember_ticks(const std::vector<std::string>& ports) {
    std::string text;
    for (const std::string& port : ports) {
        text += (text.empty() ? "" : ";") + port;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return;  // the next run ticks none
    }
    RegSetValueExA(key, kTickedValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

HWND rows_list(HWND dialog) {
    return GetDlgItem(dialog, IDC_FLEET_PORTS);
}

void set_cell(HWND dialog, std::size_t row, Column column, const std::string& text) {
    ListView_SetItemText(rows_list(dialog), static_cast<int>(row), column,
                         const_cast<char*>(text.c_str()));
}

void add_columns(HWND list) {
    RECT client{};
    GetClientRect(list, &client);
    const int width = client.right - system_metric_for_dpi(SM_CXVSCROLL, window_dpi(list));
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(kColumns[i].title);
        column.cx = width * kColumns[i].share / 100;
        column.iSubItem = i;
        ListView_InsertColumn(list, i, &column);
    }
}

void fill_rows(HWND dialog, FleetWindow& window) {
    HWND list = rows_list(dialog);
    const std::vector<std::string> ticked = remembered_ticks();
    for (const std::string& port : offered_ports()) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(window.rows.size());
        item.pszText = const_cast<char*>(port.c_str());
        const int index = ListView_InsertItem(list, &item);
        const bool was_ticked = std::find(ticked.begin(), ticked.end(), port) != ticked.end();
        ListView_SetCheckState(list, index, was_ticked);
        window.rows.push_back({port});
    }
}

void enable_buttons(HWND dialog, const FleetWindow& window) {
    const bool idle = window.running == 0;
    const bool any_failed = std::any_of(window.rows.begin(), window.rows.end(),
                                        [](const Row& row) { return row.failed; });
    EnableWindow(GetDlgItem(dialog, IDC_FLEET_START), idle);
    EnableWindow(GetDlgItem(dialog, IDC_FLEET_VERIFY), idle);
    EnableWindow(GetDlgItem(dialog, IDC_FLEET_RETRY), idle && any_failed);
    EnableWindow(GetDlgItem(dialog, IDC_FLEET_STOP), !idle);
    // The focus leaves a button as it is disabled, for one that is not.
    HWND focus = GetFocus();
    if (focus && !IsWindowEnabled(focus)) {
        SetFocus(GetDlgItem(dialog, idle ? IDC_FLEET_START : IDC_FLEET_STOP));
    }
}

void show_folder(HWND dialog, const FleetWindow& window) {
    if (window.mode == FleetMode::read) {
        SetDlgItemTextA(dialog, IDC_FLEET_FOLDER,
                        window.folder.empty()
                            ? "Reads into a folder chosen at Start, a file per port."
                            : ("Reads into " + window.folder + ", a file per port.").c_str());
    }
}

BOOL on_init_dialog(HWND dialog, FleetWindow& window) {
    window.layout.note_first_layout(dialog, kLayout);
    const std::string named =
        window.settings_name + " (fingerprint " + settings_fingerprint(window.record.bytes) + ")";
    if (window.mode == FleetMode::read) {
        SetWindowTextA(dialog, "Read from Several Scanners");
        SetDlgItemTextA(dialog, IDC_FLEET_SETTINGS, ("Compares with " + named + ".").c_str());
        ShowWindow(GetDlgItem(dialog, IDC_FLEET_VERIFY), SW_HIDE);
    } else {
        SetDlgItemTextA(dialog, IDC_FLEET_SETTINGS, ("Sends " + named + ".").c_str());
        SetDlgItemTextA(dialog, IDC_FLEET_FOLDER,
                        "Every ticked port at once; the ticks are kept for the next time.");
        Button_SetCheck(GetDlgItem(dialog, IDC_FLEET_VERIFY), BST_CHECKED);
    }
    show_folder(dialog, window);
    HWND list = rows_list(dialog);
    ListView_SetExtendedListViewStyle(list,
                                      LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    add_columns(list);
    fill_rows(dialog, window);
    enable_buttons(dialog, window);
    return TRUE;
}

// The folder the ports are read into; false when the user cancelled its choice.
bool ask_for_folder(HWND dialog, FleetWindow& window) {
    std::string chosen = window.choose_folder(dialog);
    if (chosen.empty()) {
        return false;
    }
    window.folder = std::move(chosen);
    show_folder(dialog, window);
    return true;
}

FleetJob job_of(HWND dialog, FleetWindow& window) {
    if (window.mode == FleetMode::download) {
        return download_job(window.record,
                            Button_GetCheck(GetDlgItem(dialog, IDC_FLEET_VERIFY)) == BST_CHECKED,
                            window.settings_name);
    }
    // On the port's thread: each writes a file of its own.
    return read_job(
        ReadPasses::twice,
        [&window](std::size_t i, const SettingsRecord& read) {
            const FileResult written = replace_file(window.run_paths[i], settings_file_bytes(read));
            return written.ok ? std::string() : written.error;
        },
        [&window](std::size_t i) { return window.run_paths[i]; });
}

void run_rows(HWND dialog, FleetWindow& window, const std::vector<std::size_t>& rows) {
    if (rows.empty()) {
        return;
    }
    std::vector<std::string> ports;
    window.run_rows = rows;
    window.run_paths.clear();
    for (const std::size_t row : rows) {
        ports.push_back(window.rows[row].port);
        window.run_paths.push_back(window.folder + "\\" + port_file_name(window.rows[row].port));
        window.rows[row].percent = 0;
        window.rows[row].failed = false;
        set_cell(dialog, row, kProgressColumn, "Waiting");
        set_cell(dialog, row, kResultColumn, "");
        set_cell(dialog, row, kFingerprintColumn, "");
    }
    window.cancel = std::make_unique<Cancellation>();
    window.events = std::make_unique<PostedEvents>(dialog, ports.size());
    window.running = ports.size();
    enable_buttons(dialog, window);
    window.fleet =
        std::make_unique<Fleet>(ports, job_of(dialog, window), *window.events, *window.cancel);
}

void start(HWND dialog, FleetWindow& window) {
    std::vector<std::size_t> ticked;
    std::vector<std::string> names;
    for (std::size_t row = 0; row < window.rows.size(); ++row) {
        if (ListView_GetCheckState(rows_list(dialog), static_cast<int>(row))) {
            ticked.push_back(row);
            names.push_back(window.rows[row].port);
        }
    }
    if (ticked.empty()) {
        report_error(dialog, "Tick the ports of the scanners first.");
        return;
    }
    remember_ticks(names);
    if (window.mode == FleetMode::read && window.folder.empty() &&
        !ask_for_folder(dialog, window)) {
        return;
    }
    run_rows(dialog, window, ticked);
}

void retry_failed(HWND dialog, FleetWindow& window) {
    std::vector<std::size_t> failed;
    for (std::size_t row = 0; row < window.rows.size(); ++row) {
        if (window.rows[row].failed) {
            failed.push_back(row);
        }
    }
    run_rows(dialog, window, failed);
}

std::string result_text(const FleetWindow& window, std::size_t index, const FleetOutcome& outcome) {
    switch (outcome.result) {
        case FleetResult::verified:
            return "verified";
        case FleetResult::sent:
            return "sent";
        case FleetResult::read:
            return "read into " + window.run_paths[index] +
                   (*outcome.held == window.record ? ", matches the current settings"
                                                   : ", differs from the current settings");
        case FleetResult::failed:
            break;
    }
    return outcome.failure;
}

// Only a port the cancellation ended was stopped; one that failed on its own says so.
const char* progress_end(const FleetOutcome& outcome) {
    if (outcome.ok()) {
        return "Done";
    }
    return outcome.interrupted ? "Stopped" : "Failed";
}

// The last port has stopped: its thread is ending, and input made meanwhile is dropped.
void end_run(HWND dialog, FleetWindow& window) {
    window.fleet.reset();
    window.events.reset();
    drop_input_made_during_transfer();
    enable_buttons(dialog, window);
    if (window.closing) {
        EndDialog(dialog, IDCANCEL);
    }
}

void on_event(HWND dialog, FleetWindow& window, std::unique_ptr<FleetEvent> event) {
    const std::size_t row = window.run_rows[event->index];
    switch (event->kind) {
        case FleetEvent::Kind::started:
            set_cell(dialog, row, kProgressColumn, "Opening");
            return;
        case FleetEvent::Kind::progress:
            window.rows[row].percent = event->percent;
            set_cell(dialog, row, kProgressColumn,
                     std::string(event->label) + " " + std::to_string(event->percent) + "%");
            return;
        case FleetEvent::Kind::finished:
            window.rows[row].failed = !event->outcome.ok();
            set_cell(dialog, row, kProgressColumn, progress_end(event->outcome));
            set_cell(dialog, row, kResultColumn, result_text(window, event->index, event->outcome));
            set_cell(dialog, row, kFingerprintColumn, event->outcome.fingerprint);
            if (--window.running == 0) {
                end_run(dialog, window);
            }
            return;
    }
}

bool on_command(HWND dialog, FleetWindow& window, int id, UINT) {
    // A click that waited in the queue while its button was disabled starts nothing over a run.
    if ((id == IDC_FLEET_START || id == IDC_FLEET_RETRY) && window.running > 0) {
        return true;
    }
    switch (id) {
        case IDC_FLEET_START:
            start(dialog, window);
            return true;
        case IDC_FLEET_RETRY:
            retry_failed(dialog, window);
            return true;
        case IDC_FLEET_STOP:
            if (window.cancel) {
                window.cancel->request();
            }
            return true;
        case IDOK:  // Close, which Enter presses too: Start is never pressed by mistake
        case IDCANCEL:
            // The ports stop at their next wait; the window goes once the last has.
            if (window.running > 0) {
                window.closing = true;
                window.cancel->request();
            } else {
                EndDialog(dialog, IDCANCEL);
            }
            return true;
    }
    return false;
}

// The progress column's cell: a bar as full as the port's transfer, its text over it.
void draw_progress(const NMLVCUSTOMDRAW& draw, const FleetWindow& window) {
    const auto item = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
    RECT cell{};
    ListView_GetSubItemRect(draw.nmcd.hdr.hwndFrom, static_cast<int>(item), kProgressColumn,
                            LVIR_BOUNDS, &cell);
    FillRect(draw.nmcd.hdc, &cell, GetSysColorBrush(COLOR_WINDOW));
    InflateRect(&cell, -2, -2);
    const int percent = item < window.rows.size() ? window.rows[item].percent : -1;
    if (percent >= 0) {
        RECT filled = cell;
        filled.right = cell.left + (cell.right - cell.left) * percent / 100;
        FillRect(draw.nmcd.hdc, &filled, GetSysColorBrush(COLOR_HIGHLIGHT));
        FrameRect(draw.nmcd.hdc, &cell, GetSysColorBrush(COLOR_BTNSHADOW));
    }
    std::array<char, 64> text{};
    ListView_GetItemText(draw.nmcd.hdr.hwndFrom, static_cast<int>(item), kProgressColumn,
                         text.data(), static_cast<int>(text.size()));
    SetBkMode(draw.nmcd.hdc, TRANSPARENT);
    SetTextColor(draw.nmcd.hdc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(draw.nmcd.hdc, text.data(), -1, &cell,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT on_custom_draw(const NMLVCUSTOMDRAW& draw, const FleetWindow& window) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            if (draw.iSubItem == kProgressColumn) {
                draw_progress(draw, window);
                return CDRF_SKIPDEFAULT;
            }
            return CDRF_DODEFAULT;
    }
    return CDRF_DODEFAULT;
}

INT_PTR on_notify(HWND dialog, FleetWindow& window, const NMHDR& header) {
    if (header.idFrom != IDC_FLEET_PORTS) {
        return FALSE;
    }
    if (header.code == NM_CUSTOMDRAW) {
        return answer_notification(
            dialog, on_custom_draw(reinterpret_cast<const NMLVCUSTOMDRAW&>(header), window));
    }
    if (is_copy_key(header)) {
        copy_to_clipboard(dialog, list_view_text(header.hwndFrom));
    }
    return FALSE;
}

INT_PTR on_message(HWND dialog, FleetWindow& window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kFleetEventMessage:
            on_event(dialog, window,
                     std::unique_ptr<FleetEvent>(reinterpret_cast<FleetEvent*>(lParam)));
            return TRUE;
    }
    return window.layout.handle(dialog, message, wParam, lParam);
}

constexpr DialogHandlers<FleetWindow> kHandlers = {
    .init = on_init_dialog, .command = on_command, .notify = on_notify, .message = on_message};

}  // namespace

std::string browse_for_folder(HWND owner) {
    // The browse dialog runs on COM, apartment-threaded as every window's thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    std::array<char, MAX_PATH> path{};
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = path.data();
    browse.lpszTitle = "Read the scanners into this folder:";
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);
    const bool got = chosen && SHGetPathFromIDListA(chosen, path.data());
    CoTaskMemFree(chosen);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return got ? path.data() : "";
}

void show_fleet_window(AppContext& app, FleetMode mode, const std::string& settings_name,
                       const FolderChooser& choose_folder) {
    register_common_controls(ICC_LISTVIEW_CLASSES);
    FleetWindow window(mode, settings_name, app.state->record, choose_folder);
    run_modal_dialog<FleetWindow, kHandlers>(app.instance, "FleetDlg", app.main_window, window);
}

}  // namespace tessmar
