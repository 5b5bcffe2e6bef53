// Reading what a screen reader reads of a control: its accessible name and value.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace tessmar::test {

// The name a screen reader gives the control, through oleacc. Windows names a combo box, a list
// view and a progress bar by the label before it, as it does an edit box, but Wine's oleacc by
// their text: for those the label is read as Windows finds it.
std::string accessible_name(HWND control);
// The value a screen reader reads of the control, through oleacc.
std::string accessible_value(HWND control);
// What a reader gets of an accessible object or of one of its child elements.
struct AccessibleElement {
    long role = 0;
    std::string name;
    long state = 0;
    bool operator==(const AccessibleElement&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const AccessibleElement& element) {
    return out << element.role << " \"" << element.name << "\" 0x" << std::hex << element.state
               << std::dec;
}
// The control's object, then its child elements in the order accNavigate visits them from the
// first child on; a child offered as an object of its own is left out.
std::vector<AccessibleElement> accessible_elements(HWND control);
// The child id the control's object says has the focus (CHILDID_SELF for the object itself, -1
// for none).
long accessible_focus(HWND control);

}  // namespace tessmar::test
