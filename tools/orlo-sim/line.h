// The line loop: reads the program's messages off the line, hands them to the scanner, and sends
// its answers back, paced like a real serial line when asked.
#pragma once

#include <functional>

#include "tools/orlo-sim/scanner.h"

namespace orlo_sim {

// How the scanner's answers reach the program: straight off the wire, or through a USB adapter
// that delivers them in bursts.
enum class Adapter {
    wire,  // each byte as it crosses the line
    ftdi,  // held until a latency timer runs out or 62 bytes wait
    cdc,   // whatever arrived, at each 1 ms USB frame
    usb,   // the scanner's own USB port: no line, each answer whole at once
};

struct LineOptions {
    long baud = 0;  // pace both directions at this rate, 10 bits a byte; 0 does not pace
    Adapter adapter = Adapter::wire;
    long latency_ms = 16;    // an FTDI chip's latency timer
    std::size_t split = 0;   // write each answer in pieces of this many bytes; 0 writes it whole
    long pause_ms = 20;      // between the pieces of a split answer
    int checked_tty = -1;    // a terminal whose settings must be 9600 8N1 for messages to count
    bool verbose = false;    // log messages and answers on stderr
    long unplug_after = -1;  // stop serving after this many messages; -1 serves on
};

// Serves the scanner on `fd` (a pseudo-terminal's master side, or a device) while `keep_going`
// says so, and until `messages` has counted up to options.unplug_after; `on_update` runs each
// time UPDATE takes a download into use.
void serve(int fd, Scanner& scanner, const LineOptions& options,
           const std::function<bool()>& keep_going, const std::function<void()>& on_update,
           long& messages);

}  // namespace orlo_sim
