// What a screen reader reads of a control that cannot say it by itself: a painted control, or a
// key-entry box whose label says too little. The control answers WM_GETOBJECT with the system's
// standard object for it, whose name and value come from here, and, for a control made of parts
// (a table of cells, a list of tokens), whose role and children too; everything else stays the
// system's.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tessmar {

// One part of a control, a child element of its object.
struct AccessiblePart {
    std::string name;
    RECT box{};  // in the control's client area; empty: the part has no place of its own
};

// A control that a reader visits part by part: the current part is selected, and focused while
// the control has the focus.
struct AccessibleParts {
    LONG role = 0;       // the control's role (ROLE_SYSTEM_TABLE, ROLE_SYSTEM_LIST...)
    LONG part_role = 0;  // each part's (ROLE_SYSTEM_CELL, ROLE_SYSTEM_LISTITEM...)
    std::vector<AccessiblePart> parts;
    std::optional<std::size_t> current;  // index into parts
};

struct AccessibleText {
    std::string name;                      // empty: the standard object's own
    std::optional<std::string> value;      // none: the standard object's own
    std::optional<AccessibleParts> parts;  // none: a control of one piece, as the system sees it
};

// A VT_I4 VARIANT, as accessible objects and their clients pass child ids, roles and states.
VARIANT long_variant(LONG value);

// The control's text at the moment a client asks. A client may hold the object after the
// control is gone: `control` is then no window, and the standard object answers.
using DescribeControl = AccessibleText (*)(HWND control);

// From now until the control is destroyed, clients read its text from `describe`. Made again,
// the control takes the new `describe`.
void describe_to_screen_readers(HWND control, DescribeControl describe);

// Tells clients that what the control holds has changed, as a system control does itself.
void announce_value_change(HWND control);

// Tells clients that the part at `index` became the current one: selected, and focused when
// the control has the focus.
void announce_current_part(HWND control, std::size_t index);

}  // namespace tessmar
