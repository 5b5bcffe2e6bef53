// Several scanners at once. Each port has a thread of its own, with its own connection and
// protocol engine: the engines are the blocking ones Tessmar itself runs, a thread spends its
// waits blocked in the system at no processor cost, and a slow or silent scanner holds up no
// other. The results come back in the order the ports were given.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/link_session.h"

namespace tessmar::cli {

struct PortOutcome {
    int exit_code = 0;         // what this port alone would make the command exit with
    std::string status;        // "ok", "verified", where the settings went, or why it failed
    std::string listing;       // shown before the result lines: the differences found, say
    bool interrupted = false;  // the port's work stopped at the interrupt
};

// The work on port `index` of the list.
using PortWork = std::function<PortOutcome(std::size_t index, ProgressDisplay& progress)>;

// Runs `work` on every port at once, with one progress line per port on a terminal.
std::vector<PortOutcome> run_on_ports(const std::vector<std::string>& ports, const PortWork& work);

// Each port's listing, then one line per port in the order given: "PORT: status". Returns the
// highest exit code, after a line on stderr that counts the ports whose code is `trouble`. After
// an interrupt, a port that had finished says so ("COM4: verified before the interrupt"), and
// the count is left out: the ports interrupted did not fail.
int report_ports(const std::vector<std::string>& ports, const std::vector<PortOutcome>& outcomes,
                 int trouble, const char* what_failed, std::ostream& out);

}  // namespace tessmar::cli
