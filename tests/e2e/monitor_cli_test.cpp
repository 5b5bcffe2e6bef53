// tessmar-cli monitor against orlo-sim playing scans on a pseudo-terminal.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <cstring>
#include <fstream>
#include <sstream>

#include "model/program_state.h"
#include "tests/e2e/process.h"

namespace tessmar::test {
namespace {

namespace fs = std::filesystem;

// Settings whose prefix, suffix and line the scans are checked against.
struct ScannerSetup {
    const char* name;
    const char* prefix;
    const char* suffix;
    unsigned baud_rate, parity, data_bit;  // the RS-232 group's stored values
};

constexpr ScannerSetup kSetups[] = {
    {"stx-crlf-9600-8n1", "\x02", "\r\n", 2, 0, 1},
    {"stx-cr-9600-8n1", "\x02", "\r", 2, 0, 1},
    {"stx-crlf-19200-8n1", "\x02", "\r\n", 1, 0, 1},
};

std::string settings_file(const ScannerSetup& setup) {
    SettingsRecord record = factory_record();
    const auto put = [&](KeySlot slot, const char* text) {
        MutableKeyString key = record.key_string(slot);
        std::fill(key.begin(), key.end(), 0);
        std::copy(text, text + std::strlen(text), key.begin());
    };
    put(KeySlot::prefix_code, setup.prefix);
    put(KeySlot::suffix_code, setup.suffix);
    put(KeySlot::code_id_code_39, "*");
    record.set(Field::baud_rate, setup.baud_rate);
    record.set(Field::parity, setup.parity);
    record.set(Field::data_bit, setup.data_bit);
    const fs::path path =
        fs::temp_directory_path() /
        ("tessmar-monitor-" + std::to_string(getpid()) + "-" + setup.name + ".orl");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(record.bytes.data()), kRecordSize);
    return path.string();
}

// "10:42:07.125  " taken off the front of `line`; false when it does not start so.
bool take_time(std::string& line) {
    constexpr std::string_view kShape = "00:00:00.000  ";
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        if (i >= line.size() ||
            (kShape[i] == '0' ? !std::isdigit(static_cast<unsigned char>(line[i]))
                              : line[i] != kShape[i])) {
            return false;
        }
    }
    line.erase(0, kShape.size());
    return true;
}

struct MonitorCase {
    const char* name;
    int scanner;  // the simulator's settings
    int host;     // the monitor's settings
    std::vector<std::string> sim_options;
    std::vector<std::string> monitor_options;
    std::vector<std::string> lines;  // each line after its time
};

const MonitorCase kCases[] = {
    {"a matching scan",
     0,
     0,
     {"--symbology", "code39"},
     {"--count", "1"},
     {"[STX]*12345[CR][LF]  gaps 0 ms  ok"}},
    {"a wrong suffix",
     1,
     0,
     {},
     {"--count", "1"},
     {"[STX]12345[CR]  gaps 0 ms  MISMATCH: expected suffix [CR][LF], got [CR]"}},
    {"a scan split by a long gap",
     0,
     0,
     {"--split", "4", "--pause", "300"},
     {"--count", "2"},
     {"[STX]123  gaps 0 ms  MISMATCH: expected suffix [CR][LF], got nothing",
      "45[CR][LF]  gaps 0 ms  MISMATCH: expected prefix [STX], got nothing"}},
    {"19200 baud from the settings",
     2,
     2,
     {},
     {"--count", "1"},
     {"[STX]12345[CR][LF]  gaps 0 ms  ok"}},
    {"19200 baud from the options",
     2,
     0,
     {},
     {"--baud", "19200", "--parity", "none", "--data-bits", "8", "--count", "1"},
     {"[STX]12345[CR][LF]  gaps 0 ms  ok"}},
};

TEST(MonitorCli, PrintsEachScanWithItsMarks) {
    std::vector<std::string> files;
    for (const ScannerSetup& setup : kSetups) {
        files.push_back(settings_file(setup));
    }
    for (const MonitorCase& c : kCases) {
        std::vector<std::string> sim_options = {"--settings", files[c.scanner], "--scan", "12345"};
        sim_options.insert(sim_options.end(), c.sim_options.begin(), c.sim_options.end());
        const Simulator sim(sim_options);
        std::vector<std::string> args = {"monitor", "--port", sim.port(), "--settings",
                                         files[c.host]};
        args.insert(args.end(), c.monitor_options.begin(), c.monitor_options.end());
        const Outcome watched = run_cli(args);
        EXPECT_EQ(watched.exit_code, 0) << c.name << ": " << watched.err;
        std::istringstream out(watched.out);
        std::vector<std::string> lines;
        for (std::string line; std::getline(out, line);) {
            EXPECT_TRUE(take_time(line)) << c.name << ": " << line;
            lines.push_back(line);
        }
        EXPECT_EQ(lines, c.lines) << c.name;
    }
    for (const std::string& file : files) {
        fs::remove(file);
    }
}

struct ExitCase {
    std::vector<std::string> args;
    int exit_code;
};

TEST(MonitorCli, ExitsAsDocumented) {
    const Simulator sim({});  // serving the link: it sends nothing unasked
    const ExitCase cases[] = {
        // Ctrl+C one second in ends the watch.
        {{"--preserve-status", "-s", "INT", "1", TESSMAR_CLI_PATH, "monitor", "--port", sim.port()},
         130},
        {{TESSMAR_CLI_PATH, "monitor", "--port", "/nonexistent/tty"}, 1},
        {{TESSMAR_CLI_PATH, "monitor", "--port", sim.port(), "--parity", "mark"}, 2},
        {{TESSMAR_CLI_PATH, "monitor", "--port", sim.port(), "--baud", "9601"}, 2},
        {{TESSMAR_CLI_PATH, "monitor", "--port", sim.port(), "--count", "0"}, 2},
    };
    for (const ExitCase& c : cases) {
        const Outcome run = run_program(
            c.args[0] == TESSMAR_CLI_PATH ? TESSMAR_CLI_PATH : "/usr/bin/timeout",
            c.args[0] == TESSMAR_CLI_PATH ? std::vector(c.args.begin() + 1, c.args.end()) : c.args);
        EXPECT_EQ(run.exit_code, c.exit_code) << c.args.back() << ": " << run.err;
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace
}  // namespace tessmar::test
