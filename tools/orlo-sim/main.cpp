// orlo-sim: a Velkor Orlo scanner on a serial line, for trying and testing the link without one.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "arguments/command_line.h"
#include "model/program_state.h"
#include "model/settings_file.h"
#include "tools/orlo-sim/line.h"
#include "tools/orlo-sim/scan_player.h"
#include "version.h"

namespace orlo_sim {
namespace {

constexpr char kUsage[] = R"(Usage: orlo-sim [OPTIONS] [DEVICE]

Simulates a Velkor Orlo scanner on a serial line. Without DEVICE it opens a
pseudo-terminal and prints the path of its terminal side: give that path to
'tessmar-cli download|read --port', or map a Wine COM port to it. The scanner
keeps what a download sends, takes it into use on UPDATE, and answers read
requests from the settings in use. It answers only while the line is set to
9600 baud, 8 data bits, no parity and one stop bit, as the scanner does.

Options:
  --link PATH        also make PATH a symbolic link to the pseudo-terminal; the
                     simulator removes it on exit, and stops when it is removed
                     or replaced
  --settings FILE    start with the settings in FILE (default: the factory
                     settings)
  --save FILE        write the scanner's memory (the 1562 settings bytes and the
                     230 after them) to FILE each time UPDATE takes a download
                     into use
  --baud N           pace both directions like a line of N baud, 10 bits a byte
                     (default: no pacing)
  --adapter MODE     deliver the answers as the program's side of the line does:
                     wire    each byte as it comes off the line (the default)
                     ftdi[:MS]  an FTDI USB-serial chip: held until its latency
                             timer of MS ms (1 to 255, default 16), started by a
                             byte in an empty chip, runs out, or 62 bytes wait
                     cdc     a USB CDC-ACM port: what came, at each 1 ms frame
                     usb     the scanner's own USB port: no line (no --baud),
                             each answer whole at once
Scans (a test fixture: the scanner's RS-232 output as tests and the manual use
it, not a model of how the scanner composes what it sends):
  --scan TEXT        instead of serving the link, send a scan: the stored
                     prefix, the code ID of --symbology, TEXT and the stored
                     suffix, once the line is set to the stored RS-232 settings;
                     in pieces as --split and --pause say, or else at the stored
                     inter-character delay
  --symbology NAME   put the stored code ID of NAME ("Code 39") before TEXT
  --scan-every MS    send the scan again every MS milliseconds
Faults:
  --silent-after N   answer the first N messages, then nothing
  --wrong-replies K  answer the first K messages with "NAK" and ignore them
  --lower-case       answer read requests in lower-case hexadecimal
  --behind N         from message N (counting from 0) on, answer each message
                     only when the next one comes, with the answer owed, like a
                     slow scanner whose answer came after the program gave up
  --corrupt OFFSET   acknowledge every download, but keep the byte at OFFSET
                     (0 to 1791) with its bits inverted, like a scanner with a
                     bad memory cell
  --flip-digit N     answer message N (counting from 0) with one hexadecimal
                     digit changed, like noise on a line without parity
  --split N          write each answer in pieces of N bytes
  --pause MS         wait MS milliseconds between the pieces of an answer
                     (default 20)
  --unplugged        hold a pseudo-terminal that cannot be opened, like a serial
                     port with no device behind it, and answer nothing
  --unplug-after N   after N messages close the pseudo-terminal, like an adapter
                     pulled out, and open a new one --away MS later (default
                     1000), like one plugged back in; --link follows it
Other:
  -v, --verbose      log every message and answer on stderr
  -h, --help         show this help
  --version          show the version
)";

constexpr long kLongestLatencyMs = 255;
constexpr long kLastOffset = static_cast<long>(kMemorySize) - 1;

volatile sig_atomic_t stop_requested = 0;

void request_stop(int) {
    stop_requested = 1;
}

struct Options {
    std::string device;
    std::string link;
    std::string settings;
    std::string save;
    Faults faults;
    LineOptions line;
    ScanOptions scan;
    bool unplugged = false;
    long away_ms = 1000;
};

int usage_error(const std::string& message) {
    std::cerr << "orlo-sim: " << message << "\nTry 'orlo-sim --help'.\n";
    return 2;
}

// "wire", "ftdi", "ftdi:MS", "cdc" or "usb".
bool parse_adapter(const std::string& text, LineOptions& line) {
    static constexpr std::pair<const char*, Adapter> kModes[] = {{"wire", Adapter::wire},
                                                                 {"ftdi", Adapter::ftdi},
                                                                 {"cdc", Adapter::cdc},
                                                                 {"usb", Adapter::usb}};
    const std::string mode = text.substr(0, text.find(':'));
    const auto found = std::ranges::find(kModes, mode, [](const auto& row) { return row.first; });
    if (found == std::end(kModes)) {
        return false;
    }
    line.adapter = found->second;
    return mode.size() == text.size() ||
           (found->second == Adapter::ftdi &&
            tessmar::read_number(text.substr(mode.size() + 1), line.latency_ms, 1,
                                 kLongestLatencyMs));
}

// The options, or an exit code when the simulator should not run.
std::optional<int> parse(const std::vector<std::string>& args, Options& o) {
    using tessmar::store;
    constexpr tessmar::Takes kValues = tessmar::Takes::values;  // given again, the last counts
    const tessmar::Option options[] = {
        {.name = "--link", .takes = kValues, .take = store(o.link)},
        {.name = "--settings", .takes = kValues, .take = store(o.settings)},
        {.name = "--save", .takes = kValues, .take = store(o.save)},
        {.name = "--baud", .takes = kValues, .take = store(o.line.baud, 1)},
        {.name = "--adapter",
         .takes = kValues,
         .take = [&](const std::string& value) { return parse_adapter(value, o.line); }},
        {.name = "--scan",
         .takes = kValues,
         .take = [&](const std::string& value) { return !(o.scan.text = value).empty(); }},
        {.name = "--symbology", .takes = kValues, .take = store(o.scan.symbology)},
        {.name = "--scan-every", .takes = kValues, .take = store(o.scan.every_ms, 1)},
        {.name = "--silent-after", .takes = kValues, .take = store(o.faults.silent_after, 0)},
        {.name = "--wrong-replies", .takes = kValues, .take = store(o.faults.wrong_replies, 0)},
        {.name = "--lower-case", .take = store(o.faults.lower_case)},
        {.name = "--behind", .takes = kValues, .take = store(o.faults.behind_from, 0)},
        {.name = "--corrupt", .takes = kValues, .take = store(o.faults.corrupt_at, 0, kLastOffset)},
        {.name = "--flip-digit", .takes = kValues, .take = store(o.faults.flip_digit, 0)},
        {.name = "--split", .takes = kValues, .take = store(o.line.split, 1)},
        {.name = "--pause", .takes = kValues, .take = store(o.line.pause_ms, 0)},
        {.name = "--unplugged", .take = store(o.unplugged)},
        {.name = "--unplug-after", .takes = kValues, .take = store(o.line.unplug_after, 0)},
        {.name = "--away", .takes = kValues, .take = store(o.away_ms, 0)},
        {.name = "--verbose", .alias = "-v", .take = store(o.line.verbose)},
    };
    const tessmar::ParseResult parse = tessmar::parse_command_line(
        args, {.options = options, .operand = "DEVICE", .version = true});
    if (parse.end == parse.mistake) {
        return usage_error(parse.message);
    }
    if (parse.end != parse.run) {
        std::cout << (parse.end == parse.help ? kUsage : "orlo-sim " TESSMAR_VERSION "\n");
        return 0;
    }
    o.device = parse.arguments.positional.empty() ? "" : parse.arguments.positional.back();
    if (o.scan.text.empty() && (!o.scan.symbology.empty() || o.scan.every_ms >= 0)) {
        return usage_error("--symbology and --scan-every go with --scan");
    }
    if (!o.device.empty() && (!o.link.empty() || o.unplugged)) {
        return usage_error("--link and --unplugged are for the simulator's own pseudo-terminal");
    }
    if (o.line.unplug_after >= 0 && (!o.device.empty() || o.unplugged)) {
        return usage_error("--unplug-after is for the simulator's own pseudo-terminal");
    }
    if (o.line.adapter == Adapter::usb && o.line.baud > 0) {
        return usage_error("--baud paces a line, and --adapter usb has none");
    }
    return std::nullopt;
}

int fail(const std::string& what) {
    std::cerr << "orlo-sim: " << what << ": " << std::strerror(errno) << "\n";
    return 1;
}

bool load_memory(const std::string& path, Scanner::Memory& memory) {
    const tessmar::SettingsRecord factory = tessmar::factory_record();
    std::copy(factory.bytes.begin(), factory.bytes.end(), memory.begin());
    if (path.empty()) {
        return true;
    }
    const tessmar::SettingsFileContents contents = tessmar::read_settings_file(path);
    if (!contents.result.ok) {
        std::cerr << "orlo-sim: " << contents.result.error << "\n";
        return false;
    }
    std::copy(contents.bytes.begin(), contents.bytes.end(), memory.begin());
    return true;
}

// Replaced whole, so a reader never sees half a file.
void save_memory(const std::string& path, const Scanner::Memory& memory) {
    const tessmar::FileResult saved =
        tessmar::replace_file(path, {reinterpret_cast<const char*>(memory.data()), memory.size()});
    if (!saved.ok) {
        std::cerr << "orlo-sim: " << saved.error << "\n";
    }
}

// A terminal side that is never unlocked: opening it fails, as it does for a serial port whose
// hardware is missing.
int open_unplugged_terminal(std::string& path) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0) {
        fail("cannot open a pseudo-terminal");
        return -1;
    }
    path = ptsname(master);
    return master;
}

// The terminal side starts raw at the terminal's default speed: until the program sets the line
// to 9600 8N1, the scanner hears nothing it can use. Holding it open keeps the line up between
// the program's connections.
int open_own_terminal(std::string& path, int& terminal) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        fail("cannot open a pseudo-terminal");
        return -1;
    }
    path = ptsname(master);
    terminal = open(path.c_str(), O_RDWR | O_NOCTTY);
    termios line{};
    if (terminal < 0 || tcgetattr(terminal, &line) != 0) {
        fail("cannot open " + path);
        return -1;
    }
    cfmakeraw(&line);
    tcsetattr(terminal, TCSANOW, &line);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    return master;
}

// A device given is the scanner's own end of a real line: set it up as the scanner's.
int open_device(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios line{};
    if (fd < 0 || tcgetattr(fd, &line) != 0) {
        fail("cannot open " + path);
        return -1;
    }
    cfmakeraw(&line);
    line.c_cflag |= CLOCAL | CREAD;
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    cfsetspeed(&line, B9600);
    if (tcsetattr(fd, TCSANOW, &line) != 0) {
        fail("cannot set up " + path);
        return -1;
    }
    return fd;
}

// Points `link` at `target` in one step, replacing whatever was there.
bool make_link(const std::string& target, const std::string& link) {
    const std::string temporary = link + ".new";
    std::error_code error;
    std::filesystem::remove(temporary, error);
    std::filesystem::create_symlink(target, temporary, error);
    if (!error) {
        std::filesystem::rename(temporary, link, error);
    }
    if (error) {
        std::cerr << "orlo-sim: cannot make the link " << link << ": " << error.message() << "\n";
        return false;
    }
    return true;
}

bool link_points_to(const std::string& link, const std::string& target) {
    std::error_code error;
    return std::filesystem::read_symlink(link, error) == target && !error;
}

// Serves the line until the simulator stops; with --unplug-after, the pseudo-terminal goes away
// once, for options.away_ms, and a new one takes its place behind --link.
void serve_until_stopped(const Options& options, int fd, std::string& path, LineOptions& line,
                         Scanner& scanner, const std::function<bool()>& keep_going,
                         const std::function<void()>& on_update) {
    long messages = 0;
    serve(fd, scanner, line, keep_going, on_update, messages);
    if (messages != line.unplug_after || !keep_going()) {
        return;
    }
    close(fd);
    close(line.checked_tty);
    for (long waited = 0; waited < options.away_ms && keep_going(); waited += 10) {
        usleep(10'000);
    }
    std::string new_path;
    if (!keep_going() || (fd = open_own_terminal(new_path, line.checked_tty)) < 0 ||
        (!options.link.empty() && !make_link(new_path, options.link))) {
        return;
    }
    path = new_path;
    std::cout << path << std::endl;
    line.unplug_after = -1;
    serve(fd, scanner, line, keep_going, on_update, messages);
}

int run(const Options& options) {
    Scanner::Memory memory{};
    if (!load_memory(options.settings, memory)) {
        return 1;
    }
    std::string scan;
    if (!options.scan.text.empty()) {
        std::string error;
        scan = scan_bytes(memory, options.scan, error);
        if (scan.empty()) {
            return usage_error(error);
        }
    }
    std::string path = options.device;
    LineOptions line = options.line;
    const int fd = options.unplugged ? open_unplugged_terminal(path)
                   : path.empty()    ? open_own_terminal(path, line.checked_tty)
                                     : open_device(path);
    if (fd < 0) {
        return 1;
    }
    if (!scan.empty() && !options.device.empty() && !set_scanner_line(fd, memory)) {
        return fail("cannot set up " + path);
    }
    if (!options.link.empty() && !make_link(path, options.link)) {
        return 1;
    }
    std::cout << path << std::endl;

    struct sigaction stop {};
    stop.sa_handler = request_stop;
    sigaction(SIGINT, &stop, nullptr);
    sigaction(SIGTERM, &stop, nullptr);

    Scanner scanner(memory, options.faults);
    const auto keep_going = [&] {
        return !stop_requested && (options.link.empty() || link_points_to(options.link, path));
    };
    const auto on_update = [&] {
        if (!options.save.empty()) {
            save_memory(options.save, scanner.memory());
        }
    };
    if (options.unplugged) {
        while (keep_going()) {
            usleep(100'000);
        }
    } else if (!scan.empty()) {
        play_scans(fd, memory, scan, options.scan, line, keep_going);
    } else {
        serve_until_stopped(options, fd, path, line, scanner, keep_going, on_update);
    }
    if (!options.link.empty() && link_points_to(options.link, path)) {
        std::filesystem::remove(options.link);
    }
    return 0;
}

}  // namespace
}  // namespace orlo_sim

int main(int argc, char** argv) {
    orlo_sim::Options options;
    const std::optional<int> early_exit =
        orlo_sim::parse(std::vector<std::string>(argv + 1, argv + argc), options);
    return early_exit ? *early_exit : orlo_sim::run(options);
}
