// tessmar-cli download FILE.orl --port DEV [--verify] [--force]: sends a settings file to the
// scanner and, when asked, reads it back to compare.
#include <iostream>

#include "cli/cli.h"
#include "cli/difference_listing.h"
#include "cli/link_session.h"

namespace tessmar::cli {
namespace {

// On the same connection as the download: the scanner is read back and compared with what was
// sent. A read-back that fails proves nothing, so it is a failure too.
int verify(SerialPort& port, const ProgramState& sent, const std::string& name) {
    ProgramState scanner = sent;
    const LinkResult read = read_back_over(port, scanner);
    if (!read.ok) {
        return failure("the download could not be verified: " + read.failure);
    }
    const RecordComparison comparison = compare_records(sent, scanner.record);
    if (!comparison.equal()) {
        print_comparison(comparison, name, "the scanner", std::cout);
        return failure("the scanner holds other settings than " + name);
    }
    std::cout << "The scanner holds exactly the settings sent.\n";
    return kSuccess;
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
    std::string error;
    const std::unique_ptr<SerialPort> port = open_scanner_port(args["--port"], error);
    if (!port) {
        return failure(error);
    }
    const LinkResult result = download_over(*port, state.record);
    int exit_code = kSuccess;
    if (!result.ok) {
        exit_code = failure(result.failure);
    } else {
        std::cout << "Downloaded completely!\n";
        if (args.has("--verify")) {
            exit_code = verify(*port, state, args.positional[0]);
        }
    }
    port->purge_received();
    return exit_code;
}

}  // namespace tessmar::cli
