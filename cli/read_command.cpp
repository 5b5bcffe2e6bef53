// tessmar-cli read --port DEV -o FILE.orl: reads the scanner's settings into a file.
#include <iostream>

#include "cli/cli.h"
#include "cli/link_session.h"
#include "model/settings_file.h"

namespace tessmar::cli {

int run_read(const Arguments& args) {
    std::string error;
    const std::unique_ptr<SerialPort> port = open_scanner_port(args["--port"], error);
    if (!port) {
        return failure(error);
    }
    ProgramState state;
    load_factory_defaults(state);
    const LinkResult result = read_back_over(*port, state);
    port->purge_received();
    // A failed read leaves no file, and an existing one as it was.
    if (!result.ok) {
        return failure(result.failure + "; " + args["-o"] + " was not written");
    }
    const FileResult written = write_output(args["-o"], settings_file_bytes(state.record));
    if (!written.ok) {
        return failure(written.error);
    }
    // Written to standard output, the settings are all it holds.
    if (!is_standard_output(args["-o"])) {
        std::cout << "Read the scanner's settings into " << args["-o"] << "\n";
    }
    return kSuccess;
}

}  // namespace tessmar::cli
