// The main window: menu, toolbar with tooltips, the summary tree and a status bar with menu help.
#pragma once

#include <windows.h>

#include <string>

#include "app/app_context.h"

namespace tessmar {

inline constexpr char kMainWindowClass[] = "TESSM";
inline constexpr char kMainWindowTitle[] = "Velkor Orlo Tessmar";

// Registers the window class once per process; false when that fails.
bool register_main_window_class(HINSTANCE instance);

// Creates the main window over `app`, which must outlive it. Loads the factory defaults into
// the state while the window is created. Returns null on failure.
HWND create_main_window(AppContext& app);

// Gives the keyboard to the summary tree, with a caret on its first line if it has none.
void give_tree_the_keyboard(const AppContext& app);

// The program: start-up, the message loop, and the exit code (0, or 0 at once on failure).
// A non-empty `start_file` is a settings file to open once the window is up.
int run_tessmar(HINSTANCE instance, int show_command, const std::string& start_file);

}  // namespace tessmar
