// Copying text for other programs, as the windows' lists do on Ctrl+C.
#pragma once

#include <windows.h>

#include <string>

namespace tessmar {

// Puts `text` on the clipboard as CF_TEXT; says so to the user when the clipboard is busy.
void copy_to_clipboard(HWND owner, const std::string& text);

// A list view's notification is Ctrl+C pressed in it.
bool is_copy_key(const NMHDR& header);

// What a report-view list shows, its column titles first: a tab between the columns, each line
// ended with CR LF.
std::string list_view_text(HWND list);

}  // namespace tessmar
