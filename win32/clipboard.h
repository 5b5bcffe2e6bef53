// Copying text for other programs, as the windows' lists do on Ctrl+C.
#pragma once

#include <windows.h>

#include <string>

namespace tessmar {

// Puts `text` on the clipboard as CF_TEXT; says so to the user when the clipboard is busy.
void copy_to_clipboard(HWND owner, const std::string& text);

}  // namespace tessmar
