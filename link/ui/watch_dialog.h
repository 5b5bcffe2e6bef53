// The "Watch Scanner Output" window: what a scanner in RS-232 mode sends its host, one row per
// scan, and what a keyboard wedge types, one row per recording, each checked against the current
// settings' prefix and suffix.
#pragma once

#include <windows.h>

#include "model/program_state.h"

namespace tessmar {

// Shows the modal, resizable window (template WATCHDLG) on the port chosen last, at the line
// settings of the record's RS-232 group; the user may pick others. The port is opened for
// reading only, while Start is on, and closed when the window closes, so no transfer can meet it.
void watch_scanner_output(HINSTANCE instance, HWND owner, const ProgramState& state);

}  // namespace tessmar
