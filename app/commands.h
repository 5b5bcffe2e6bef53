// The main window's commands (menu, toolbar and accelerators), one function each.
#pragma once

#include <windows.h>

#include <string>

#include "app/app_context.h"
#include "model/settings_schema.h"

namespace tessmar {

// Runs the command with the given menu id; ids without a command do nothing.
void dispatch_command(AppContext& app, UINT command_id);

// Open without its file dialog, for a file named from outside: asks about unsaved changes,
// reads the file, and opens the Reader Settings sheet on it.
void open_settings_file_named(AppContext& app, const std::string& path);

// Configure scanner, with Reader Settings opening on page `page` (0 "Scanner" to 5 "Edit
// Format").
void configure_scanner_on_page(AppContext& app, int page);

// Configure scanner, with the control that edits `setting` focused: on its page, in the
// parameter dialog, editing-format sheet or "Fields Parameters" that holds it.
void configure_setting(AppContext& app, const NamedSetting& setting);

// Asks whether to save unsaved changes, with `question` ("Save the program ?" on close, "Save
// current settings ?" before New, Open and Read scanner settings). False when the command that
// asked must stop: the user cancelled, or the save did not happen (it failed, or its Save As
// dialog was closed), and the changes would otherwise be lost.
bool offer_to_save(AppContext& app, const char* question);

}  // namespace tessmar
