// One way to say something to the user. A message box belongs to the window it is about: to that
// window's top-level window, or, when a modal window of ours holds that one up, to the modal
// window in front. So the box opens over what the user is looking at and keeps it from being used
// meanwhile, also when another program is in front.
#pragma once

#include <windows.h>

#include <string>

namespace tessmar {

// How a message shows: its caption, and its buttons and icon as MessageBox takes them.
struct MessageStyle {
    const char* caption;
    UINT type;
};

// Something failed: "Error", the warning icon and OK.
inline constexpr MessageStyle kErrorMessage{"Error", MB_OK | MB_ICONWARNING};
// Something failed and may be tried again: "Error", the question icon, Yes and No.
inline constexpr MessageStyle kRetryQuestion{"Error", MB_YESNO | MB_ICONQUESTION};

// The window that owns a message about `about`.
HWND message_owner(HWND about);

// Shows `text` and returns the button pressed (IDOK, IDYES...), or 0 when the box could not be
// shown.
int show_message(HWND about, const std::string& text, const MessageStyle& style);

// Shows `text` as an error.
void report_error(HWND about, const std::string& text);
// Shows `text` as an error, and under it why: a file's name and the system's own words, as
// FileResult gives them ("cannot create C:\x.orl: Access is denied").
void report_error(HWND about, const std::string& text, const std::string& why);

}  // namespace tessmar
