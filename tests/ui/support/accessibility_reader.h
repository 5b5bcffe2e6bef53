// Reading what a screen reader reads of a control: its accessible name and value.
#pragma once

#include <windows.h>

#include <string>

namespace tessmar::test {

// The name a screen reader gives the control, through oleacc. Windows names a combo box, a list
// view and a progress bar by the label before it, as it does an edit box, but Wine's oleacc by
// their text: for those the label is read as Windows finds it.
std::string accessible_name(HWND control);
// The value a screen reader reads of the control, through oleacc.
std::string accessible_value(HWND control);

}  // namespace tessmar::test
