// Print scanner settings: writes the setup-code sheet Barcode.prn in the current directory and
// starts the printing tool Stampwell.exe, from the program's directory, on it.
#pragma once

#include <windows.h>

#include <string>

#include "model/program_state.h"

namespace tessmar {

// Its messages belong to the active window, or to `main_window` when another program is in front.
// The tool is told `settings_name` (whose settings these are) and their fingerprint. True once
// the tool was started.
bool PrintScannerSettings(HWND main_window, ProgramState& state, const std::string& settings_name);

// The full name of the page the tool writes for the sheet, in the current directory.
std::string sheet_page_path();

// The message for the error that kept the tool from starting, or null for an error that has no
// message of its own.
const char* stampwell_start_failure_text(DWORD error);

}  // namespace tessmar
