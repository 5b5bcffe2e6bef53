// The "Compare with Scanner" dialog: what a scanner holds against the current settings.
#pragma once

#include <windows.h>

#include "summary/record_comparison.h"

namespace tessmar {

// Shows the modal dialog (template COMPAREDLG): a verdict, and when the scanner differs, one
// row per difference (the setting, the program's value, the scanner's value).
void show_comparison(HINSTANCE instance, HWND owner, const RecordComparison& comparison);

}  // namespace tessmar
