// tessmar-cli diff [A.orl] B.orl: the summary lines in which B differs from A (with one file, A
// is the factory settings). tessmar-cli diff FILE.orl --port DEV [--port DEV ...]: those in which
// scanners differ from a file, port by port. Both exit as diff(1) does: 0 equal, 1 different,
// 2 trouble.
#include <iostream>
#include <sstream>

#include "cli/cli.h"
#include "cli/difference_listing.h"
#include "cli/port_fleet.h"

namespace tessmar::cli {
namespace {

int trouble(const std::string& message) {
    failure(message);
    return kTrouble;
}

// Neither the file nor the scanner changes: the scanner is only read, once.
FleetJob read_to_compare(const ProgramState& ours) {
    return [&ours](std::size_t, FleetLine& line) {
        ProgramState scanner = ours;
        const LinkResult read = line.read(scanner, ReadPasses::once);
        FleetOutcome outcome;
        outcome.failure = read.failure;
        outcome.interrupted = read.stop == Stop::interrupted;
        if (read.ok) {
            outcome.result = FleetResult::read;
            outcome.held = scanner.record;
        }
        return outcome;
    };
}

PortOutcome compared(const ProgramState& ours, const std::string& name, const std::string& port,
                     const FleetOutcome& read) {
    if (!read.ok()) {
        return {kTrouble, read.failure, "", read.interrupted};
    }
    const RecordComparison comparison = compare_records(ours, *read.held);
    std::ostringstream listing;
    print_comparison(comparison, name, "the scanner on " + port, listing);
    return {comparison.equal() ? kSuccess : kDifferent,
            (comparison.equal() ? "equal" : "differs") + fingerprint_note(*read.held),
            listing.str()};
}

int diff_with_scanners(const std::string& name, const std::vector<std::string>& ports) {
    ProgramState ours;
    if (!open_settings(name, ours)) {
        return kTrouble;
    }
    if (ports.size() == 1) {
        const PortOutcome outcome =
            compared(ours, name, ports[0], run_on_port(ports[0], read_to_compare(ours)));
        std::cout << outcome.listing;
        return outcome.exit_code == kTrouble
                   ? trouble((outcome.interrupted ? ports[0] + ": " : "") + outcome.status)
                   : outcome.exit_code;
    }
    const auto describe = [&](std::size_t i, const FleetOutcome& read) {
        return compared(ours, name, ports[i], read);
    };
    return report_ports(ports, run_on_ports(ports, read_to_compare(ours), describe), kTrouble,
                        "scanners could not be read", std::cout);
}

}  // namespace

int run_diff(const Arguments& args) {
    if (args.has("--port")) {
        return diff_with_scanners(args.positional[0], args.all("--port"));
    }
    ProgramState a;
    ProgramState b;
    const bool one_file = args.positional.size() == 1;
    const std::string a_name = one_file ? "factory settings" : args.positional[0];
    const std::string& b_name = args.positional.back();
    if (one_file) {
        load_factory_defaults(a);
    } else if (!open_settings(a_name, a)) {
        return kTrouble;
    }
    if (!open_settings(b_name, b)) {
        return kTrouble;
    }
    const std::vector<SummaryDifference> differences =
        diff_summaries(build_summary(a), build_summary(b));
    print_differences(differences, a_name, b_name, std::cout);
    return differences.empty() ? kSuccess : kDifferent;
}

}  // namespace tessmar::cli
