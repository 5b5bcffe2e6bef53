// What the Win32 front end works on: the program's state and the main window's handles. The
// program owns one, made in WinMain; UI tests make their own. Windows and dialogs reach it
// through their creation parameter, never through a global.
#pragma once

#include <windows.h>

#include <string>

#include "model/program_state.h"

namespace tessmar {

struct AppContext {
    HINSTANCE instance = nullptr;  // holds every resource
    ProgramState* state = nullptr;

    // Created with the main window; a child that failed to be created stays null and the steps
    // that need it are skipped.
    HWND main_window = nullptr;
    HWND toolbar = nullptr;
    HWND tree_view = nullptr;
    HWND status_bar = nullptr;
    HWND tooltips = nullptr;
    HFONT tree_font = nullptr;    // deleted when the window closes
    HFONT status_font = nullptr;  // deleted when the window closes
    // The window's own icons at its DPI, large and small; destroyed when the window closes.
    HICON icons[2] = {};
    // A log-off was refused with a reason that Windows shows until the session goes on.
    bool session_blocked = false;

    // The port the settings were read from while they are in no file, else empty.
    std::string read_from_port;

    // The "Compare with Scanner" dialog's size when it last closed, in units of 96 DPI, kept for
    // the run.
    SIZE compare_dialog_size{};
};

}  // namespace tessmar
