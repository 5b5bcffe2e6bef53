#include "tests/ui/support/scanner_simulator.h"

#include <windows.h>

#include <algorithm>
#include <functional>

#include "tests/ui/support/temp_folder.h"

namespace tessmar::test {
namespace {

// Both paths come from the build: orlo-sim from the native preset, the serial folder from the
// Windows build whose prefix maps the COM ports there.
constexpr char kOrloSim[] = TESSMAR_ORLO_SIM;
constexpr char kSerialFolder[] = TESSMAR_SERIAL_DIR;
constexpr DWORD kWaitLimitMs = 10000;

// COMn leads to <serial>/portn; a name such as COM1.memory would be the port itself to Windows.
std::string unix_path(int port, const char* suffix) {
    return std::string(kSerialFolder) + "/port" + std::to_string(port) + suffix;
}

// Wine shows the Unix root as drive Z:.
std::string windows_path(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

// Wine runs a Unix program given by its Unix path. The shell leaves it no terminal or output
// pipe of the test to hold open.
bool run_unix(const std::string& command_line) {
    std::string command = "/bin/sh -c \"" + command_line + " </dev/null 2>/dev/null\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool wait_until(const std::function<bool()>& condition) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > kWaitLimitMs) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

// Only the folder listing sees a link to a terminal: Wine's attribute calls refuse devices.
bool link_present(int port) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(windows_path(unix_path(port, "")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return true;
}

}  // namespace

ScannerSimulator::ScannerSimulator(int port, const std::string& options)
    : port_(port),
      memory_(windows_path(unix_path(port, ".memory"))),
      ready_(windows_path(unix_path(port, ".ready"))) {
    remove_port_link(port);
    DeleteFileA(memory_.c_str());
    DeleteFileA(ready_.c_str());
    if (GetFileAttributesA(windows_path(kOrloSim).c_str()) == INVALID_FILE_ATTRIBUTES) {
        problem_ = std::string("no orlo-sim at ") + kOrloSim + "; build the native preset first";
        return;
    }
    // The simulator prints its terminal's path once it serves the port.
    const std::string start = "exec " + std::string(kOrloSim) + " --link " + unix_path(port, "") +
                              " --save " + unix_path(port, ".memory") + " " + options + " >" +
                              unix_path(port, ".ready");
    const auto up = [&] { return !read_file_bytes(ready_).empty(); };
    if (!run_unix(start) || !wait_until(up)) {
        problem_ = "orlo-sim did not come up on COM" + std::to_string(port);
    }
}

ScannerSimulator::~ScannerSimulator() {
    remove_port_link(port_);
    DeleteFileA(ready_.c_str());
    DeleteFileA(memory_.c_str());
}

// The simulator prints its terminal's path again once it serves a new one.
bool ScannerSimulator::plugged_back_in() const {
    return wait_until([&] {
        const std::vector<std::uint8_t> said = read_file_bytes(ready_);
        return std::count(said.begin(), said.end(), '\n') >= 2;
    });
}

std::vector<std::uint8_t> ScannerSimulator::memory() const {
    return read_file_bytes(memory_);
}

std::string simulator_settings(int port, std::string_view bytes) {
    write_file_bytes(windows_path(unix_path(port, ".settings")),
                     std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    return "--settings " + unix_path(port, ".settings");
}

bool remove_port_link(int port) {
    return run_unix("rm -f " + unix_path(port, "")) &&
           wait_until([&] { return !link_present(port); });
}

bool link_port(int port, const std::string& unix_target) {
    return remove_port_link(port) && run_unix("ln -s " + unix_target + " " + unix_path(port, "")) &&
           wait_until([&] { return link_present(port); });
}

}  // namespace tessmar::test
