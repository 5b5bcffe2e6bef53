// tessmar-cli read --port DEV -o FILE.orl: reads a scanner's settings into a file; with several
// ports, -o names a folder and each scanner's settings go into a file named after its port.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

#include "cli/cli.h"
#include "cli/port_fleet.h"
#include "files/utf8_path.h"
#include "model/settings_file.h"

namespace tessmar::cli {
namespace {

// Reads the scanner on `port` into `path`; a failed read leaves no file, and an existing one as
// it was. On success `fingerprint` holds the note that names what was read.
PortOutcome read_into(const std::string& port, const std::string& path, ReadPasses passes,
                      ProgressDisplay& progress, std::string& fingerprint) {
    std::string error;
    const std::unique_ptr<SerialPort> opened = open_scanner_port(port, error);
    if (!opened) {
        return {kFailure, error, ""};
    }
    ProgramState state;
    load_factory_defaults(state);
    const LinkResult result = read_back_over(*opened, state, progress, passes);
    opened->purge_received();
    if (!result.ok) {
        return {kFailure, result.failure + "; " + path + " was not written", "",
                result.stop == Stop::interrupted};
    }
    const FileResult written = write_output(path, settings_file_bytes(state.record));
    if (!written.ok) {
        return {kFailure, written.error, ""};
    }
    fingerprint = fingerprint_note(state.record);
    return {kSuccess, "read into " + path + fingerprint, ""};
}

ReadPasses passes(const Arguments& args) {
    return args.has("--once") ? ReadPasses::once : ReadPasses::twice;
}

int read_one(const Arguments& args) {
    ProgressBar bar;
    std::string fingerprint;
    const PortOutcome outcome =
        read_into(args["--port"], args["-o"], passes(args), bar, fingerprint);
    if (outcome.exit_code != kSuccess) {
        return failure((outcome.interrupted ? args["--port"] + ": " : "") + outcome.status);
    }
    // Written to standard output, the settings are all it holds.
    if (!is_standard_output(args["-o"])) {
        std::cout << "Read the scanner's settings into " << args["-o"] << fingerprint << "\n";
    }
    return kSuccess;
}

// The port's name without "/dev/" or "\\.\", its separators made dashes, and "-settings.orl":
// /dev/ttyUSB0 gives ttyUSB0-settings.orl, /dev/pts/3 pts-3-settings.orl, COM3
// COM3-settings.orl. Windows takes a file named COM3.orl for the port itself, in any folder.
std::string port_file_name(std::string port) {
    for (const std::string prefix : {"/dev/", "\\\\.\\"}) {
        if (port.starts_with(prefix)) {
            port.erase(0, prefix.size());
        }
    }
    std::replace_if(
        port.begin(), port.end(), [](char c) { return c == '/' || c == '\\' || c == ':'; }, '-');
    // ./g1 would give a hidden file, .-g1-settings.orl.
    port.erase(0, std::min(port.find_first_not_of(".-"), port.size()));
    return port + "-settings.orl";
}

// Whether files can be made in the folder: one is made and removed again.
bool writable_folder(const std::string& folder, std::string& reason) {
    const std::string probe = folder + "/.tessmar-write-check";
    std::ofstream file(utf8_path(probe));
    if (!file) {
        reason = std::strerror(errno);
        return false;
    }
    file.close();
    std::error_code ignored;
    std::filesystem::remove(utf8_path(probe), ignored);
    return true;
}

// Each port's file in the folder; false, after a message, when two ports would share a file or
// the folder cannot be had. The names are checked before the folder is made, so a refused
// command leaves nothing behind.
bool port_files(const std::string& folder, const std::vector<std::string>& ports,
                std::vector<std::string>& files) {
    std::map<std::string, std::string> port_of_file;
    for (const std::string& port : ports) {
        const std::string file = folder + (folder.ends_with('/') ? "" : "/") + port_file_name(port);
        if (const auto [taken, added] = port_of_file.emplace(file, port); !added) {
            failure(taken->second + " and " + port + " would both be read into " + file);
            return false;
        }
        files.push_back(file);
    }
    std::error_code error;
    std::string reason;
    if (std::filesystem::exists(utf8_path(folder), error)) {
        if (!std::filesystem::is_directory(utf8_path(folder), error)) {
            failure(folder + " is no folder; several scanners are read into a folder");
            return false;
        }
        if (!writable_folder(folder, reason)) {
            failure("cannot write in the folder " + folder + ": " + reason);
            return false;
        }
    } else if (!std::filesystem::create_directory(utf8_path(folder), error)) {
        failure("cannot make the folder " + folder + (error ? ": " + error.message() : ""));
        return false;
    }
    return true;
}

int read_many(const Arguments& args) {
    const std::vector<std::string>& ports = args.all("--port");
    if (is_standard_output(args["-o"])) {
        return failure("several scanners are read into a folder, not standard output");
    }
    std::vector<std::string> files;
    if (!port_files(args["-o"], ports, files)) {
        return kFailure;
    }
    const auto work = [&](std::size_t i, ProgressDisplay& progress) {
        std::string fingerprint;
        return read_into(ports[i], files[i], passes(args), progress, fingerprint);
    };
    return report_ports(ports, run_on_ports(ports, work), kFailure, "reads failed", std::cout);
}

}  // namespace

int run_read(const Arguments& args) {
    return args.all("--port").size() == 1 ? read_one(args) : read_many(args);
}

}  // namespace tessmar::cli
