// What a screen reader reads of a control that cannot say it by itself: a painted control, or a
// key-entry box whose label says too little. The control answers WM_GETOBJECT with the system's
// standard object for it, whose name and value come from here; everything else stays the
// system's.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tessmar {

struct AccessibleText {
    std::string name;                  // empty: the standard object's own
    std::optional<std::string> value;  // none: the standard object's own
};

// The control's text at the moment a client asks. A client may hold the object after the
// control is gone: `control` is then no window, and the standard object answers.
using DescribeControl = AccessibleText (*)(HWND control);

// From now until the control is destroyed, clients read its text from `describe`. Made again,
// the control takes the new `describe`.
void describe_to_screen_readers(HWND control, DescribeControl describe);

// Tells clients that what the control holds has changed, as a system control does itself.
void announce_value_change(HWND control);

}  // namespace tessmar
