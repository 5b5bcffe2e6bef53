// tessmar-cli download FILE.orl --port DEV [--port DEV ...] [--verify] [--force]: sends a settings
// file to one scanner or to many at once and, when asked, reads each back to compare.
#include <iostream>
#include <sstream>

#include "cli/cli.h"
#include "cli/difference_listing.h"
#include "cli/port_fleet.h"

namespace tessmar::cli {
namespace {

// The differences a verification found between what was sent and what the scanner holds.
std::string differences(const ProgramState& sent, const FleetOutcome& done, const std::string& file,
                        const std::string& scanner_name) {
    if (done.ok() || !done.downloaded || !done.held) {
        return "";
    }
    std::ostringstream listing;
    print_comparison(compare_records(sent, *done.held), file, scanner_name, listing);
    return listing.str();
}

std::string fingerprint_of(const FleetOutcome& done) {
    return " (fingerprint " + done.fingerprint + ")";
}

int download_to_one(const Arguments& args, const ProgramState& state) {
    const bool verifying = args.has("--verify");
    const std::string& file = args.positional[0];
    const FleetOutcome done =
        run_on_port(args["--port"], download_job(state.record, verifying, file));
    // After an interrupt, the port's one line says where it stopped.
    const std::string failed = (done.interrupted ? args["--port"] + ": " : "") + done.failure;
    if (!done.downloaded) {
        return failure(failed);
    }
    std::cout << "Downloaded completely!\n" << differences(state, done, file, "the scanner");
    if (!done.ok()) {
        return failure(failed);
    }
    if (verifying) {
        std::cout << "The scanner holds exactly the settings sent" << fingerprint_of(done) << ".\n";
    }
    return kSuccess;
}

// The same settings to every port at once; one failing port stops no other.
int download_to_many(const Arguments& args, const ProgramState& state) {
    const std::vector<std::string>& ports = args.all("--port");
    const std::string& file = args.positional[0];
    const auto describe = [&](std::size_t i, const FleetOutcome& done) {
        const char* const sent = done.result == FleetResult::verified ? "verified" : "ok";
        return PortOutcome{
            done.ok() ? kSuccess : kFailure,
            done.ok() ? sent + (done.held ? fingerprint_of(done) : "") : done.failure,
            differences(state, done, file, "the scanner on " + ports[i]), done.interrupted};
    };
    return report_ports(
        ports,
        run_on_ports(ports, download_job(state.record, args.has("--verify"), file), describe),
        kFailure, "downloads failed", std::cout);
}

}  // namespace

// A file of another size than a record is something else, or a damaged or cut copy: sent, it
// would set up the scanner with the factory settings in place of the part missing.
int run_download(const Arguments& args) {
    ProgramState state;
    if (!open_settings(args.positional[0], state,
                       args.has("--force") ? Accepted::any_size : Accepted::whole_record)) {
        return kFailure;
    }
    return args.all("--port").size() == 1 ? download_to_one(args, state)
                                          : download_to_many(args, state);
}

}  // namespace tessmar::cli
