// Reading what a screen reader reads of a control: its accessible name and value.
#pragma once

#include <windows.h>

#include <string>

namespace tessmar::test {

// The name a screen reader gives the control. Windows names an edit box, a combo box, a list view
// and a progress bar by the label before it; Wine's oleacc names some of them by their text, so
// for those the label is read as Windows finds it, unless the control describes itself.
std::string accessible_name(HWND control);
// The value a screen reader reads of the control, through oleacc.
std::string accessible_value(HWND control);

}  // namespace tessmar::test
