#include "cli/link_session.h"

#include "cli/console.h"
#include "link/download.h"
#include "link/read_back.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iostream>
#include <string>

namespace tessmar::cli {
namespace {

constexpr int kBarWidth = 40;

// One transfer on an open port, with its progress shown; `failed` names it in a failure.
LinkResult run_transfer(SerialPort& port, ProgressDisplay& progress, const char* label, int top,
                        const char* failed,
                        const std::function<LinkResult(Line&, const Progress&)>& transfer) {
    SystemTickClock clock;
    Line line{port, clock, nullptr, &interruption()};
    progress.begin(label, top);
    LinkResult result = transfer(line, [&](int position) { progress.show(position); });
    progress.end();
    if (!result.ok && result.stop != Stop::interrupted) {
        result.failure = failed + result.failure;
    }
    return result;
}

}  // namespace

Cancellation& interruption() {
    static Cancellation cancellation;
    return cancellation;
}

std::string progress_text(const char* label, int percent) {
    const int filled = percent * kBarWidth / 100;
    char text[16];
    std::snprintf(text, sizeof text, "] %3d%%", percent);
    return std::string(label) + " [" + std::string(filled, '#') +
           std::string(kBarWidth - filled, '.') + text;
}

int progress_percent(int position, int top) {
    return std::clamp(position * 100 / top, 0, 100);
}

void ProgressBar::begin(const char* label, int top) {
    label_ = label;
    top_ = top;
    drawing_ = is_terminal(stderr);
    shown_percent_ = -1;
}

void ProgressBar::show(int position) {
    const int percent = progress_percent(position, top_);
    if (!drawing_ || percent == shown_percent_) {
        return;
    }
    shown_percent_ = percent;
    std::cerr << '\r' << progress_text(label_, percent) << std::flush;
}

void ProgressBar::end() {
    if (drawing_ && shown_percent_ >= 0) {
        std::cerr << '\n' << std::flush;
    }
    drawing_ = false;
}

std::unique_ptr<SerialPort> open_scanner_port(const std::string& name, std::string& error) {
    OpenedPort opened = open_serial_port(name);
    error = opened.reason;
    return std::move(opened.port);
}

LinkResult download_over(SerialPort& port, const SettingsRecord& record,
                         ProgressDisplay& progress) {
    return run_transfer(port, progress, "Downloading", kDownloadProgressEnd,
                        "download failed: ", [&](Line& line, const Progress& shown) {
                            return DownloadSettings(record, line, shown);
                        });
}

LinkResult read_back_over(SerialPort& port, ProgramState& state, ProgressDisplay& progress,
                          ReadPasses passes) {
    return run_transfer(port, progress, "Reading", kReadProgressEnd,
                        "read failed: ", [&](Line& line, const Progress& shown) {
                            return ReadBackSettings(state, line, shown, passes);
                        });
}

LinkResult read_scanner(const std::string& port_name, ProgramState& state,
                        ProgressDisplay& progress) {
    std::string error;
    const std::unique_ptr<SerialPort> port = open_scanner_port(port_name, error);
    if (!port) {
        return {false, error};
    }
    const LinkResult result = read_back_over(*port, state, progress, ReadPasses::once);
    port->purge_received();
    return result;
}

}  // namespace tessmar::cli
