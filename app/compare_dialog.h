// The "Compare with Scanner" dialog: what a scanner holds against the current settings, and what
// to do about it.
#pragma once

#include <windows.h>

#include "summary/record_comparison.h"

namespace tessmar {

// How the technician closed the dialog.
enum class ComparisonChoice {
    close,       // OK, Esc or the close box
    send_ours,   // "Send Tessmar's settings"
    use_theirs,  // "Use the scanner's settings"
};

// Shows the modal, resizable dialog (template COMPAREDLG): a verdict and, when the scanner
// differs, one row per difference (the setting, where it lives, the program's value, the
// scanner's value), which Ctrl+C copies as tab-separated text. The dialog opens at `size`
// (unless empty) and leaves its own size there when it closes, so it keeps its size while the
// program runs; `size` is in units of 96 DPI, so it holds on a monitor of any DPI.
ComparisonChoice show_comparison(HINSTANCE instance, HWND owner, const RecordComparison& comparison,
                                 SIZE& size);

}  // namespace tessmar
