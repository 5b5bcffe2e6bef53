#include "app/commands.h"

#include "app/about_box.h"
#include "app/compare_dialog.h"
#include "app/main_window.h"
#include "app/settings_files.h"
#include "link/ui/scanner_link.h"
#include "pages/ui/reader_settings_sheet.h"
#include "resources/resource.h"
#include "sheet/ui/print_scanner_settings.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

// Asked before New or Open replaces unsaved settings.
constexpr char kSaveBeforeReplacing[] = "Save current settings ?";
constexpr MessageStyle kSaveQuestion{kMainWindowTitle, MB_YESNOCANCEL | MB_ICONWARNING};

// The sheet opens over the main window and rebuilds its tree when it closes; the rebuilt tree
// then takes the keyboard.
void open_sheet(AppContext& app) {
    open_reader_settings({app.instance, app.state}, app.main_window, app.tree_view);
    give_tree_the_keyboard(app);
}

void on_new(AppContext& app) {
    if (!offer_to_save(app, kSaveBeforeReplacing)) {
        return;
    }
    ProgramState& state = *app.state;
    state.current_file_path.clear();
    state.settings_modified = false;
    load_factory_defaults(state);
    open_sheet(app);
}

void on_open(AppContext& app) {
    if (!offer_to_save(app, kSaveBeforeReplacing)) {
        return;
    }
    if (open_settings_file(app, app.main_window)) {
        open_sheet(app);
    }
}

void on_save(AppContext& app) {
    if (save_settings_file(app, app.main_window) == SaveOutcome::saved) {
        app.state->settings_modified = false;
    }
}

void on_save_as(AppContext& app) {
    if (save_settings_file_as(app, app.main_window) == SaveOutcome::saved) {
        app.state->settings_modified = false;
    }
}

// Exit goes through WM_CLOSE, so it asks the same question as the close box.
void on_exit(AppContext& app) {
    SendMessageA(app.main_window, WM_CLOSE, 0, 0);
}

void on_configure_scanner(AppContext& app) {
    open_sheet(app);
}

void on_print_scanner_settings(AppContext& app) {
    PrintScannerSettings(app.main_window, *app.state);
}

void on_about(AppContext& app) {
    show_about_box(app.instance, app.main_window);
}

// The sheet opens on the record just read; a cancelled or failed read opens nothing. What was
// read is in no file yet: it becomes a new document, so Save asks for a name instead of
// replacing the file opened before, and closing asks whether to save it.
void on_read_scanner_settings(AppContext& app) {
    if (RunScannerLink(app.instance, app.main_window, *app.state, false) > 0) {
        app.state->current_file_path.clear();
        app.state->settings_modified = true;
        open_sheet(app);
    }
}

void on_download_settings(AppContext& app) {
    RunScannerLink(app.instance, app.main_window, *app.state, true);
}

// The scanner is read into a copy of the state: the record, the file name and the modified flag
// stay as they are. Only the port confirmed in the dialog is kept, as after any connection.
void on_compare_with_scanner(AppContext& app) {
    ProgramState scanner = *app.state;
    const int read = RunScannerLink(app.instance, app.main_window, scanner, false);
    app.state->selected_port_index = scanner.selected_port_index;
    if (read > 0) {
        show_comparison(app.instance, app.main_window, compare_records(*app.state, scanner.record));
    }
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
    {IDM_PRINT_SCANNER_SETTINGS, on_print_scanner_settings},
    {IDM_ABOUT, on_about},
    {IDM_READ_SCANNER_SETTINGS, on_read_scanner_settings},
    {IDM_DOWNLOAD_SETTINGS, on_download_settings},
    {IDM_COMPARE_WITH_SCANNER, on_compare_with_scanner},
};

}  // namespace

void open_settings_file_named(AppContext& app, const std::string& path) {
    if (!offer_to_save(app, kSaveBeforeReplacing)) {
        return;
    }
    if (open_settings_path(app, app.main_window, path)) {
        open_sheet(app);
    }
}

bool offer_to_save(AppContext& app, const char* question) {
    if (!app.state->settings_modified) {
        return true;
    }
    switch (show_message(app.main_window, question, kSaveQuestion)) {
        case IDYES:
            switch (save_settings_file(app, app.main_window)) {
                case SaveOutcome::saved:
                    app.state->settings_modified = false;
                    return true;
                case SaveOutcome::cancelled:  // the user's choice: go on without saving
                    return true;
                case SaveOutcome::failed:  // going on would lose the changes
                    return false;
            }
            return false;
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
