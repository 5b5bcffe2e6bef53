// The simulator as a scanner in RS-232 mode: it sends a scan (its stored prefix, a code ID, the
// text, its stored suffix) at its stored line settings. A fixture for tests and the manual, not
// a model of how the scanner composes its output.
#pragma once

#include <functional>
#include <string>

#include "tools/orlo-sim/line.h"
#include "tools/orlo-sim/scanner.h"

namespace orlo_sim {

struct ScanOptions {
    std::string text;       // empty: no scans, the link protocols are served instead
    std::string symbology;  // whose code ID goes before the text; empty for none
    long every_ms = -1;     // send the scan again this often; -1 sends it once
};

// The bytes of one scan, or an empty string and `error` when the symbology is unknown or has no
// code ID.
std::string scan_bytes(const Scanner::Memory& memory, const ScanOptions& options,
                       std::string& error);

// Sends `scan` on `fd` once the program has set the line to the memory's RS-232 settings (on
// `checked_tty`; at once when there is none), then again every `every_ms` while `keep_going`.
// Pieces follow `line.split` and `line.pause_ms`, or else the memory's inter-character delay.
void play_scans(int fd, const Scanner::Memory& memory, const std::string& scan,
                const ScanOptions& options, const LineOptions& line,
                const std::function<bool()>& keep_going);

// Sets a device given on the command line to the memory's RS-232 settings.
bool set_scanner_line(int fd, const Scanner::Memory& memory);

}  // namespace orlo_sim
