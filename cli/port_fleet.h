// The command-line face of the fleet of ports (link/fleet.h): a progress bar for one port, a
// progress line per port for several, and the lines that report each port.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/link_session.h"
#include "link/fleet.h"

namespace tessmar::cli {

struct PortOutcome {
    int exit_code = 0;         // what this port alone would make the command exit with
    std::string status;        // "ok", "verified", where the settings went, or why it failed
    std::string listing;       // shown before the result lines: the differences found, say
    bool interrupted = false;  // the port's work stopped at the interrupt
};

// Runs `job` on one port, with a progress bar on a terminal; Ctrl+C stops it.
FleetOutcome run_on_port(const std::string& port, const FleetJob& job);

// What a port's outcome says in a command's words.
using DescribeOutcome = std::function<PortOutcome(std::size_t index, const FleetOutcome& outcome)>;

// Runs `job` on every port at once, with one progress line per port on a terminal; Ctrl+C stops
// every port.
std::vector<PortOutcome> run_on_ports(const std::vector<std::string>& ports, const FleetJob& job,
                                      const DescribeOutcome& describe);

// Each port's listing, then one line per port in the order given: "PORT: status". Returns the
// highest exit code, after a line on stderr that counts the ports whose code is `trouble`. After
// an interrupt, a port that had finished says so ("COM4: verified before the interrupt"), and
// the count is left out: the ports interrupted did not fail.
int report_ports(const std::vector<std::string>& ports, const std::vector<PortOutcome>& outcomes,
                 int trouble, const char* what_failed, std::ostream& out);

}  // namespace tessmar::cli
