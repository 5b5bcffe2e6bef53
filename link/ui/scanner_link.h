// One connection to the scanner, from the port dialog to the closed port.
#pragma once

#include <windows.h>

#include "link/read_back.h"
#include "model/program_state.h"

namespace tessmar {

// Asks for a port, opens and sets it up, runs the download (`download` true) or the read-back,
// offers to retry a failed transfer, then purges and closes the port. Returns 0 when the port
// dialog was cancelled; -1 when the port could not be opened or set up, or a failed read-back
// was not retried; 1 otherwise, a failed download that was not retried included.
// The transfer holds the thread, but paint and timer messages are let through between its waits
// so that no window looks hung; `main_window` takes no input while the progress window is up.
// A read-back reads each block as often as `passes` says.
int RunScannerLink(HINSTANCE instance, HWND main_window, ProgramState& state, bool download,
                   ReadPasses passes = ReadPasses::twice);

}  // namespace tessmar
