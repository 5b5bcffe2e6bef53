#include "cli/link_session.h"

#include "link/download.h"
#include "link/read_back.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace tessmar::cli {
namespace {

constexpr int kBarWidth = 40;

// One transfer on an open port, with its progress bar; `failed` names it in a failure.
LinkResult run_transfer(SerialPort& port, const char* label, int top, const char* failed,
                        const std::function<LinkResult(Line&, const Progress&)>& transfer) {
    SystemTickClock clock;
    Line line{port, clock};
    ProgressBar bar(label, top);
    LinkResult result = transfer(line, [&](int position) { bar.show(position); });
    if (!result.ok) {
        result.failure = failed + result.failure;
    }
    return result;
}

}  // namespace

ProgressBar::ProgressBar(const char* label, int top)
    : label_(label), top_(top), drawing_(isatty(fileno(stderr)) != 0) {}

ProgressBar::~ProgressBar() {
    if (drawing_ && shown_percent_ >= 0) {
        std::fputc('\n', stderr);
    }
}

void ProgressBar::show(int position) {
    const int percent = std::clamp(position * 100 / top_, 0, 100);
    if (!drawing_ || percent == shown_percent_) {
        return;
    }
    shown_percent_ = percent;
    const int filled = percent * kBarWidth / 100;
    std::fprintf(stderr, "\r%s [%s%s] %3d%%", label_, std::string(filled, '#').c_str(),
                 std::string(kBarWidth - filled, '.').c_str(), percent);
    std::fflush(stderr);
}

std::unique_ptr<SerialPort> open_scanner_port(const std::string& name, std::string& error) {
    OpenedPort opened = open_serial_port(name);
    error = opened.reason;
    return std::move(opened.port);
}

LinkResult download_over(SerialPort& port, const SettingsRecord& record) {
    return run_transfer(port, "Downloading", kDownloadProgressEnd,
                        "download failed: ", [&](Line& line, const Progress& progress) {
                            return DownloadSettings(record, line, progress);
                        });
}

LinkResult read_back_over(SerialPort& port, ProgramState& state) {
    return run_transfer(port, "Reading", kReadProgressEnd,
                        "read failed: ", [&](Line& line, const Progress& progress) {
                            return ReadBackSettings(state, line, progress);
                        });
}

LinkResult read_scanner(const std::string& port_name, ProgramState& state) {
    std::string error;
    const std::unique_ptr<SerialPort> port = open_scanner_port(port_name, error);
    if (!port) {
        return {false, error};
    }
    const LinkResult result = read_back_over(*port, state);
    port->purge_received();
    return result;
}

}  // namespace tessmar::cli
