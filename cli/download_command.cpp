// tessmar-cli download FILE.orl --port DEV [--port DEV ...] [--verify] [--force]: sends a settings
// file to one scanner or to many at once and, when asked, reads each back to compare.
#include <iostream>
#include <sstream>

#include "cli/cli.h"
#include "cli/difference_listing.h"
#include "cli/port_fleet.h"

namespace tessmar::cli {
namespace {

// One scanner's download, and what reading it back found.
struct ScannerDownload {
    bool downloaded = false;
    bool verified = false;
    std::string failure;
    std::string listing;      // the differences the read-back found
    std::string fingerprint;  // " (fingerprint XXXX-XXXX)" of what the scanner holds, verified
    bool interrupted = false;
};

// On the same connection as the download: the scanner is read back and compared with what was
// sent. A read-back that fails proves nothing, so it is a failure too.
void verify(SerialPort& port, const ProgramState& sent, const std::string& file,
            const std::string& scanner_name, ProgressDisplay& progress, ScannerDownload& done) {
    ProgramState scanner = sent;
    // Compared with what was sent, a wrong answer shows as a difference: one pass is enough.
    const LinkResult read = read_back_over(port, scanner, progress, ReadPasses::once);
    if (!read.ok) {
        done.interrupted = read.stop == Stop::interrupted;
        done.failure = (done.interrupted ? "downloaded, but not verified: "
                                         : "the download could not be verified: ") +
                       read.failure;
        return;
    }
    const RecordComparison comparison = compare_records(sent, scanner.record);
    if (!comparison.equal()) {
        std::ostringstream listing;
        print_comparison(comparison, file, scanner_name, listing);
        done.listing = listing.str();
        done.failure = "the scanner holds other settings than " + file;
        return;
    }
    done.verified = true;
    done.fingerprint = fingerprint_note(scanner.record);
}

ScannerDownload download_to(const std::string& port_name, const ProgramState& state,
                            const std::string& file, const std::string& scanner_name,
                            bool verifying, ProgressDisplay& progress) {
    ScannerDownload done;
    const std::unique_ptr<SerialPort> port = open_scanner_port(port_name, done.failure);
    if (!port) {
        return done;
    }
    const LinkResult sent = download_over(*port, state.record, progress);
    done.downloaded = sent.ok;
    if (!sent.ok) {
        done.failure = sent.failure;
        done.interrupted = sent.stop == Stop::interrupted;
    } else if (verifying) {
        verify(*port, state, file, scanner_name, progress, done);
    }
    port->purge_received();
    return done;
}

int download_to_one(const Arguments& args, const ProgramState& state) {
    const bool verifying = args.has("--verify");
    ProgressBar bar;
    const ScannerDownload done =
        download_to(args["--port"], state, args.positional[0], "the scanner", verifying, bar);
    // After an interrupt, the port's one line says where it stopped.
    const std::string failed = (done.interrupted ? args["--port"] + ": " : "") + done.failure;
    if (!done.downloaded) {
        return failure(failed);
    }
    std::cout << "Downloaded completely!\n" << done.listing;
    if (verifying && !done.verified) {
        return failure(failed);
    }
    if (verifying) {
        std::cout << "The scanner holds exactly the settings sent" << done.fingerprint << ".\n";
    }
    return kSuccess;
}

// The same settings to every port at once; one failing port stops no other.
int download_to_many(const Arguments& args, const ProgramState& state) {
    const bool verifying = args.has("--verify");
    const std::vector<std::string>& ports = args.all("--port");
    const auto work = [&](std::size_t i, ProgressDisplay& progress) {
        const ScannerDownload done = download_to(ports[i], state, args.positional[0],
                                                 "the scanner on " + ports[i], verifying, progress);
        const bool ok = done.downloaded && (!verifying || done.verified);
        return PortOutcome{ok ? kSuccess : kFailure,
                           ok ? (verifying ? "verified" + done.fingerprint : "ok") : done.failure,
                           done.listing, done.interrupted};
    };
    return report_ports(ports, run_on_ports(ports, work), kFailure, "downloads failed", std::cout);
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
