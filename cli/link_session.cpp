#include "cli/link_session.h"

#include "link/download.h"
#include "link/read_back.h"

#include <algorithm>
#include <cstdio>
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
    SystemTickClock clock;
    Line line{port, clock};
    ProgressBar bar("Downloading", kDownloadProgressEnd);
    LinkResult result = DownloadSettings(record, line, [&](int p) { bar.show(p); });
    if (!result.ok) {
        result.failure = "download failed: " + result.failure;
    }
    return result;
}

LinkResult read_back_over(SerialPort& port, ProgramState& state) {
    SystemTickClock clock;
    Line line{port, clock};
    ProgressBar bar("Reading", kReadProgressEnd);
    LinkResult result = ReadBackSettings(state, line, [&](int p) { bar.show(p); });
    if (!result.ok) {
        result.failure = "read failed: " + result.failure;
    }
    return result;
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
