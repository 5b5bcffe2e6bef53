// Print scanner settings: writes the setup-code sheet Barcode.prn in the current directory and
// starts the printing tool Stampwell.exe, from the program's directory, on it.
#pragma once

#include <windows.h>

#include "model/program_state.h"

namespace tessmar {

void PrintScannerSettings(ProgramState& state);

// The message for a WinExec result that means the tool did not start, or null: a result above 31
// is a start, and 0 (out of resources) has no message of its own.
const char* stampwell_start_failure_text(UINT winexec_result);

}  // namespace tessmar
