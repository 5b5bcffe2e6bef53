// What the download, read and diff commands share: the run's interrupt and the progress they
// show.
#pragma once

#include <string>

#include "link/cancellation.h"

namespace tessmar::cli {

// The run's one request to stop: Ctrl+C makes it (catch_interrupts), and every transfer of the
// run stops at its next wait once it is made.
Cancellation& interruption();

// The exit code of a run that was interrupted, as a shell gives a program that SIGINT ended.
inline constexpr int kInterrupted = 130;

// "Downloading [##########..............................]  25%"
std::string progress_text(const char* label, int percent);

// A bar on a line of its own on stderr, drawn only when stderr is a terminal. The line is ended
// when the transfer ends.
class ProgressBar {
  public:
    // A transfer begins: `label` names it ("Downloading"), `top` is the position of a full bar.
    void begin(const char* label, int top);
    void show(int position);
    void end();

  private:
    const char* label_ = "";
    int top_ = 1;
    bool drawing_ = false;
    int shown_percent_ = -1;
};

// The percentage of a full bar that a position stands for.
int progress_percent(int position, int top);

}  // namespace tessmar::cli
