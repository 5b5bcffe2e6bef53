#include "cli/link_session.h"

#include "cli/console.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>

namespace tessmar::cli {
namespace {

constexpr int kBarWidth = 40;

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

}  // namespace tessmar::cli
