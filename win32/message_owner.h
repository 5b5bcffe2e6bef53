// The window a message box or a progress window belongs to.
#pragma once

#include <windows.h>

namespace tessmar {

// The active window, which is always one of this thread's; when the user has switched to another
// program there is none, and `fallback` (the main window) owns instead: a box without an owner
// would open behind the other program and leave the main window usable.
inline HWND message_owner(HWND fallback) {
    HWND active = GetActiveWindow();
    return active ? active : fallback;
}

}  // namespace tessmar
