#include <windows.h>

#include <cstdlib>

#include "app/main_window.h"
#include "win32/system_library.h"

// Tessmar takes one argument, a settings file to open, as Explorer passes a double-clicked one
// ("%1"). The runtime has already split the command line by the Windows rules, so a quoted path
// with blanks arrives whole; further arguments are ignored.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    tessmar::restrict_dll_search();
    return tessmar::run_tessmar(instance, show_command, __argc > 1 ? __argv[1] : "");
}
