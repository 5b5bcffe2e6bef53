#include "cli/link_session.h"

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

}  // namespace tessmar::cli
