#include "app/commands.h"

#include <commctrl.h>

#include <string>

#include "app/about_box.h"
#include "app/compare_dialog.h"
#include "app/fleet_window.h"
#include "app/find_setting_dialog.h"
#include "app/main_window.h"
#include "app/manual.h"
#include "app/settings_files.h"
#include "link/ui/scanner_link.h"
#include "link/ui/watch_dialog.h"
#include "model/key_string_fit.h"
#include "model/settings_fingerprint.h"
#include "pages/ui/reader_settings_sheet.h"
#include "resources/resource.h"
#include "sheet/ui/print_scanner_settings.h"
#include "summary/setting_search.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

// Asked before New, Open or Read scanner settings replaces unsaved settings.
constexpr char kSaveBeforeReplacing[] = "Save current settings ?";
constexpr MessageStyle kSaveQuestion{kMainWindowTitle, MB_YESNOCANCEL | MB_ICONWARNING};

// What names the settings on a printed sheet and in the status bar: their file, or where they came
// from.
std::string settings_name(const AppContext& app) {
    const std::string& path = app.state->current_file_path;
    if (!path.empty()) {
        return path.substr(path.find_last_of("\\/") + 1);
    }
    return app.read_from_port.empty() ? "new settings" : "settings read from " + app.read_from_port;
}

std::string selected_port(const PortChoice& port) {
    return port.other_port.empty() ? "COM" + std::to_string(port.selected_port_index + 1)
                                   : port.other_port;
}

void show_status(const AppContext& app, const std::string& text) {
    if (app.status_bar) {
        SendMessageA(app.status_bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

// What was done, with the fingerprint that matches the settings to a sheet and a scanner. Settings
// that came in from outside say too when a key string does not fit their own interface.
void show_settings_status(const AppContext& app, const std::string& done, bool came_in) {
    const ProgramState& state = *app.state;
    std::string text = done + " (fingerprint " + settings_fingerprint(state.record.bytes) + ")";
    if (came_in) {
        const auto misfits = key_strings_not_fitting(state.record, state.interface_class);
        for (std::size_t i = 0; i < misfits.size(); ++i) {
            text += i == 0 ? ". Not meant for this interface: " : ", ";
            text += misfits[i].name + " " + misfits[i].before;
        }
    }
    show_status(app, text);
}

// The sheet opens over the main window and rebuilds its tree when it closes; the rebuilt tree
// then takes the keyboard.
void open_sheet(AppContext& app, int start_page = 0, const SettingRoute* route = nullptr) {
    open_reader_settings({app.instance, app.state}, app.main_window, app.tree_view, start_page,
                         route);
    give_tree_the_keyboard(app);
}

void on_new(AppContext& app) {
    if (!offer_to_save(app, kSaveBeforeReplacing)) {
        return;
    }
    ProgramState& state = *app.state;
    state.current_file_path.clear();
    app.read_from_port.clear();
    state.current_file_partial = false;
    state.settings_modified = false;
    load_factory_defaults(state);
    open_sheet(app);
}

void on_open(AppContext& app) {
    if (!offer_to_save(app, kSaveBeforeReplacing)) {
        return;
    }
    if (open_settings_file(app, app.main_window)) {
        show_settings_status(app, "Opened " + settings_name(app), true);
        open_sheet(app);
    }
}

void on_save(AppContext& app) {
    if (save_settings_file(app, app.main_window) == SaveOutcome::saved) {
        app.state->settings_modified = false;
        show_settings_status(app, "Saved " + settings_name(app), false);
    }
}

void on_save_as(AppContext& app) {
    if (save_settings_file_as(app, app.main_window) == SaveOutcome::saved) {
        app.state->settings_modified = false;
        show_settings_status(app, "Saved " + settings_name(app), false);
    }
}

// Exit goes through WM_CLOSE, so it asks the same question as the close box.
void on_exit(AppContext& app) {
    SendMessageA(app.main_window, WM_CLOSE, 0, 0);
}

void on_configure_scanner(AppContext& app) {
    open_sheet(app);
}

// The sheet and its page go to the current folder, which no window shows: the status bar tells
// where to find the page, should the browser not come up with it.
void on_print_scanner_settings(AppContext& app) {
    if (PrintScannerSettings(app.main_window, *app.state, settings_name(app))) {
        show_status(app, "Stampwell writes the setup barcodes to " + sheet_page_path());
    }
}

void on_manual(AppContext& app) {
    open_manual(app.main_window, app.state->program_directory);
}

void on_about(AppContext& app) {
    show_about_box(app.instance, app.main_window);
}

// What was read is in no file yet: it becomes a new document, so Save asks for a name instead
// of replacing the file opened before, and closing asks whether to save it. The sheet opens on
// the record just read.
void take_read_settings(AppContext& app) {
    app.state->current_file_path.clear();
    app.read_from_port = selected_port(app.state->port);
    app.state->current_file_partial = false;
    app.state->settings_modified = true;
    show_settings_status(app, "Read the settings of the scanner on " + app.read_from_port, true);
    open_sheet(app);
}

// A cancelled or failed read opens nothing.
void on_read_scanner_settings(AppContext& app) {
    if (!offer_to_save(app, kSaveBeforeReplacing)) {
        return;
    }
    if (RunScannerLink(app.instance, app.main_window, app.state->port, *app.state,
                       TransferDirection::read_back) == LinkOutcome::finished) {
        take_read_settings(app);
    }
}

// A download that failed and was not retried ends as one that succeeded does (its message said
// which), so the status line claims neither.
void on_download_settings(AppContext& app) {
    if (RunScannerLink(app.instance, app.main_window, app.state->port, *app.state,
                       TransferDirection::download) == LinkOutcome::finished) {
        show_settings_status(app,
                             "Download of " + settings_name(app) + " to the scanner on " +
                                 selected_port(app.state->port) + " ended",
                             false);
    }
}

// The record read for a comparison becomes the document as after a read, once unsaved settings
// have been offered to be saved.
void use_scanner_settings(AppContext& app, const SettingsRecord& read) {
    if (!offer_to_save(app, kSaveBeforeReplacing)) {
        return;
    }
    load_settings_bytes(*app.state, read.bytes);
    take_read_settings(app);
}

// The scanner is read into a state of its own: the record, the file name and the modified flag
// stay as they are unless the technician takes the scanner's settings. The port confirmed in the
// dialog is kept, as after any connection.
void on_compare_with_scanner(AppContext& app) {
    ProgramState scanner;
    // The comparison shows a wrong answer as a difference, so one pass is enough.
    if (RunScannerLink(app.instance, app.main_window, app.state->port, scanner,
                       TransferDirection::read_back, ReadPasses::once) != LinkOutcome::finished) {
        return;
    }
    switch (show_comparison(app.instance, app.main_window,
                            compare_records(*app.state, scanner.record), app.compare_dialog_size)) {
        case ComparisonChoice::send_ours:
            on_download_settings(app);
            break;
        case ComparisonChoice::use_theirs:
            use_scanner_settings(app, scanner.record);
            break;
        case ComparisonChoice::close:
            break;
    }
}

void on_find_setting(AppContext& app) {
    if (const NamedSetting* setting = find_setting(app.instance, app.main_window)) {
        configure_setting(app, *setting);
    }
}

void on_watch_scanner_output(AppContext& app) {
    watch_scanner_output(app.instance, app.main_window, *app.state);
}

void on_download_fleet(AppContext& app) {
    show_fleet_window(app, FleetMode::download, settings_name(app));
}

void on_read_fleet(AppContext& app) {
    show_fleet_window(app, FleetMode::read, settings_name(app));
}

struct CommandEntry {
    UINT id;
    void (*run)(AppContext& app);
};

constexpr CommandEntry kCommands[] = {
    {IDM_FILE_NEW, on_new},
    {IDM_FILE_OPEN, on_open},
    {IDM_FILE_SAVE, on_save},
    {IDM_FILE_SAVE_AS, on_save_as},
    {IDM_FILE_EXIT, on_exit},
    {IDM_CONFIGURE_SCANNER, on_configure_scanner},
    {IDM_FIND_SETTING, on_find_setting},
    {IDM_PRINT_SCANNER_SETTINGS, on_print_scanner_settings},
    {IDM_MANUAL, on_manual},
    {IDM_ABOUT, on_about},
    {IDM_READ_SCANNER_SETTINGS, on_read_scanner_settings},
    {IDM_DOWNLOAD_SETTINGS, on_download_settings},
    {IDM_COMPARE_WITH_SCANNER, on_compare_with_scanner},
    {IDM_WATCH_SCANNER_OUTPUT, on_watch_scanner_output},
    {IDM_DOWNLOAD_FLEET, on_download_fleet},
    {IDM_READ_FLEET, on_read_fleet},
};

}  // namespace

void open_settings_file_named(AppContext& app, const std::string& path) {
    if (!offer_to_save(app, kSaveBeforeReplacing)) {
        return;
    }
    if (open_settings_path(app, app.main_window, path)) {
        show_settings_status(app, "Opened " + settings_name(app), true);
        open_sheet(app);
    }
}

void configure_scanner_on_page(AppContext& app, int page) {
    open_sheet(app, page);
}

void configure_setting(AppContext& app, const NamedSetting& setting) {
    if (const std::optional<SettingRoute> route = setting_route(setting)) {
        open_sheet(app, 0, &*route);
    }
}

bool offer_to_save(AppContext& app, const char* question) {
    if (!app.state->settings_modified) {
        return true;
    }
    switch (show_message(app.main_window, question, kSaveQuestion)) {
        case IDYES:
            // A Save As dialog closed without a name stops the command as a failed save does:
            // going on would lose the changes the user just asked to keep.
            if (save_settings_file(app, app.main_window) != SaveOutcome::saved) {
                return false;
            }
            app.state->settings_modified = false;
            return true;
        case IDNO:
            return true;
        default:
            return false;
    }
}

void dispatch_command(AppContext& app, UINT command_id) {
    // A disabled main window means a transfer or a modal dialog holds the program; a command
    // sent meanwhile (by another program, or posted before) would run inside it.
    if (!IsWindowEnabled(app.main_window)) {
        return;
    }
    for (const CommandEntry& command : kCommands) {
        if (command.id == command_id) {
            command.run(app);
            return;
        }
    }
}

}  // namespace tessmar
