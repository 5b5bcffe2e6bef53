// Print scanner settings: writes the setup-code sheet Barcode.prn in the current directory and
// starts the printing tool Stampwell.exe, from the program's directory, on it.
#pragma once

#include <windows.h>

#include "model/program_state.h"

namespace tessmar {

// Its messages belong to the active window, or to `main_window` when another program is in front.
void PrintScannerSettings(HWND main_window, ProgramState& state);

// The message for the error that kept the tool from starting, or null for an error that has no
// message of its own.
const char* stampwell_start_failure_text(DWORD error);

}  // namespace tessmar
