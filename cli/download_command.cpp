// tessmar-cli download FILE.orl --port DEV: sends a settings file to the scanner.
#include <iostream>

#include "cli/cli.h"
#include "cli/link_session.h"
#include "link/download.h"

namespace tessmar::cli {

int run_download(const Arguments& args) {
    ProgramState state;
    if (!open_settings(args.positional[0], state)) {
        return kFailure;
    }
    std::string error;
    const std::unique_ptr<SerialPort> port = open_scanner_port(args["--port"], error);
    if (!port) {
        return failure(error);
    }
    SystemTickClock clock;
    Line line{*port, clock};
    LinkResult result;
    {
        ProgressBar bar("Downloading", kDownloadProgressEnd);
        result = DownloadSettings(state.record, line, [&](int p) { bar.show(p); });
    }
    port->purge_received();
    if (!result.ok) {
        return failure("download failed: " + result.failure);
    }
    std::cout << "Downloaded completely!\n";
    return kSuccess;
}

}  // namespace tessmar::cli
