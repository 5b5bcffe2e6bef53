// The main window's toolbar: its buttons, their standard images at the window's DPI, and the
// tooltips that name their commands.
#pragma once

#include <windows.h>

namespace tessmar {

struct MainToolbar {
    HWND toolbar = nullptr;
    HWND tooltips = nullptr;
};

// Creates the toolbar along the top of `parent` with images for `dpi`. A part that could not be
// created stays null.
MainToolbar create_main_toolbar(HWND parent, HINSTANCE instance, int dpi);

// Destroys both windows and empties `toolbar`.
void destroy_main_toolbar(MainToolbar& toolbar);

}  // namespace tessmar
