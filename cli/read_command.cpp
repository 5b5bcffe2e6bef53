// tessmar-cli read --port DEV -o FILE.orl: reads a scanner's settings into a file; with several
// ports, -o names a folder and each scanner's settings go into a file named after its port.
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

// Reads the scanners into `paths`, port by port; a failed read leaves no file, and an existing
// one as it was.
FleetJob read_into(const std::vector<std::string>& paths, ReadPasses passes) {
    return read_job(
        passes,
        [&paths](std::size_t i, const SettingsRecord& read) {
            const FileResult written = write_output(paths[i], settings_file_bytes(read));
            return written.ok ? std::string() : written.error;
        },
        [&paths](std::size_t i) { return paths[i]; });
}

std::string fingerprint_of(const FleetOutcome& done) {
    return " (fingerprint " + done.fingerprint + ")";
}

ReadPasses passes(const Arguments& args) {
    return args.has("--once") ? ReadPasses::once : ReadPasses::twice;
}

int read_one(const Arguments& args) {
    const std::vector<std::string> paths = {args["-o"]};
    const FleetOutcome done = run_on_port(args["--port"], read_into(paths, passes(args)));
    if (!done.ok()) {
        return failure((done.interrupted ? args["--port"] + ": " : "") + done.failure);
    }
    // Written to standard output, the settings are all it holds.
    if (!is_standard_output(args["-o"])) {
        std::cout << "Read the scanner's settings into " << args["-o"] << fingerprint_of(done)
                  << "\n";
    }
    return kSuccess;
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
    const auto describe = [&](std::size_t i, const FleetOutcome& done) {
        return PortOutcome{
            done.ok() ? kSuccess : kFailure,
            done.ok() ? "read into " + files[i] + fingerprint_of(done) : done.failure, "",
            done.interrupted};
    };
    return report_ports(ports, run_on_ports(ports, read_into(files, passes(args)), describe),
                        kFailure, "reads failed", std::cout);
}

}  // namespace

int run_read(const Arguments& args) {
    return args.all("--port").size() == 1 ? read_one(args) : read_many(args);
}

}  // namespace tessmar::cli
