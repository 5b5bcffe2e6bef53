// Settings files that reach the program from outside: the file named on the command line (as
// Explorer passes a double-clicked .orl file) and files dropped on the main window.
#pragma once

#include <windows.h>

#include <string>

#include "app/app_context.h"

namespace tessmar {

// Opens the file Tessmar was started with. It is left as Open leaves it (record, file name,
// tree), but the Reader Settings sheet stays closed: a double-clicked file shows its settings.
// A file that cannot be read is reported, and the program goes on with the settings it has.
void open_file_at_start(AppContext& app, const std::string& path);

// Lets Explorer drop files on the main window.
void accept_dropped_files(HWND main_window);

// Handles WM_DROPFILES: the first file dropped is opened as Open opens a file. Releases `drop`.
void open_dropped_file(AppContext& app, HDROP drop);

}  // namespace tessmar
