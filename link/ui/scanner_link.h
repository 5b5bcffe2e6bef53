// One connection to the scanner, from the port dialog to the closed port.
#pragma once

#include <windows.h>

#include "link/read_back.h"
#include "link/ui/progress_window.h"
#include "model/program_state.h"

namespace tessmar {

// How a connection ended.
enum class LinkOutcome {
    cancelled,  // the port dialog was cancelled
    failed,     // the port could not be opened or set up, or a failed read-back was not retried
    // The transfer ran to its end: the read-back replaced the record, or the download finished
    // or, once its failure was shown, was not retried.
    finished,
};

// Asks for a port (`port` is the choice shown first and keeps the one confirmed), opens and sets
// it up, runs the transfer on `state`, offers to retry a failed one, then purges and closes the
// port. The transfer holds the thread, but paint and timer messages are let through between its
// waits so that no window looks hung; `main_window` takes no input while the progress window is
// up. A read-back reads each block as often as `passes` says.
LinkOutcome RunScannerLink(HINSTANCE instance, HWND main_window, PortChoice& port,
                           ProgramState& state, TransferDirection direction,
                           ReadPasses passes = ReadPasses::twice);

// Drops the keys and clicks made while a transfer ran, which waited in the queue: taken after it,
// they would act on what the transfer's end shows.
void drop_input_made_during_transfer();

}  // namespace tessmar
