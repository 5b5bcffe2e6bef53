// tessmar-cli monitor --port DEV: prints what the scanner on DEV sends, one line per scan, until
// Ctrl+C or --count scans. The port is opened for reading only: nothing is ever sent.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <iostream>
#include <limits>

#include "cli/cli.h"
#include "cli/link_session.h"
#include "link/scan_watch.h"

namespace tessmar::cli {
namespace {

// How long a wait for bytes may hold the loop before it looks at Ctrl+C again.
constexpr std::uint32_t kWaitMs = 50;

int bad_value(const std::string& option, const std::string& value) {
    std::cerr << "tessmar-cli monitor: bad value for " << option << ": '" << value
              << "'\nTry 'tessmar-cli --help'.\n";
    return kUsageError;
}

// The options over the line the settings give; a usage error's exit code, or -1.
int apply_line_options(const Arguments& args, LineSettings& line) {
    constexpr long kBaudRates[] = {300, 600, 1200, 2400, 4800, 9600, 19200, 38400};
    long number = 0;
    if (args.has("--baud")) {
        if (!read_number(args["--baud"], number, 1) ||
            std::ranges::find(kBaudRates, number) == std::end(kBaudRates)) {
            return bad_value("--baud", args["--baud"]);
        }
        line.baud = static_cast<std::uint32_t>(number);
    }
    if (args.has("--parity")) {
        const std::string& parity = args["--parity"];
        if (parity != "none" && parity != "even" && parity != "odd") {
            return bad_value("--parity", parity);
        }
        line.parity = parity == "none"   ? Parity::none
                      : parity == "even" ? Parity::even
                                         : Parity::odd;
    }
    if (args.has("--data-bits")) {
        const std::string& bits = args["--data-bits"];
        if (bits != "7" && bits != "8") {
            return bad_value("--data-bits", bits);
        }
        line.data_bits = bits == "7" ? 7 : 8;
    }
    return -1;
}

std::string now_text() {
    using namespace std::chrono;
    const system_clock::time_point now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const std::tm* local = std::localtime(&seconds);
    const auto millisecond = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return time_of_day_text(local->tm_hour, local->tm_min, local->tm_sec,
                            static_cast<int>(millisecond));
}

}  // namespace

int run_monitor(const Arguments& args) {
    ProgramState state;
    load_factory_defaults(state);
    if (args.has("--settings") && !open_settings(args["--settings"], state)) {
        return kFailure;
    }
    LineSettings line = rs232_line_settings(state.record);
    if (const int error = apply_line_options(args, line); error >= 0) {
        return error;
    }
    long count = std::numeric_limits<long>::max();
    if (args.has("--count") && !read_number(args["--count"], count, 1, count)) {
        return bad_value("--count", args["--count"]);
    }
    const OpenedPort opened = open_port_for_watching(args["--port"], line);
    if (!opened.port) {
        return failure(opened.reason);
    }
    const ScanFraming framing = scan_framing(state.record);
    std::cerr << "Listening on " << args["--port"] << " at " << line_settings_text(line)
              << "; Ctrl+C ends.\n";
    SystemTickClock clock;
    ScanSplitter splitter(framing.suffix);
    long seen = 0;
    while (!interruption().requested()) {
        for (const ReceivedScan& scan : watch_port(*opened.port, clock, splitter, kWaitMs)) {
            std::cout << scan_line(now_text(), scan, framing) << std::endl;
            if (++seen == count) {
                return kSuccess;
            }
        }
    }
    // What came just before Ctrl+C is shown too.
    if (const auto rest = splitter.take_rest()) {
        std::cout << scan_line(now_text(), *rest, framing) << std::endl;
    }
    return kInterrupted;
}

}  // namespace tessmar::cli
