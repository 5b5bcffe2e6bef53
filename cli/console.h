// The terminal tessmar-cli writes to: whether a stream is one, the console's set-up for the run on
// Windows, and lines of progress redrawn in place.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "link/cancellation.h"

namespace tessmar::cli {

// From now on Ctrl+C (on Windows also Ctrl+Break; elsewhere SIGINT and SIGTERM) no longer ends
// the program: it requests `cancellation`, which the transfers under way see at their next wait.
// Each then stops cleanly, leaving its scanner ready for the next command and no file half
// written. A second one ends the program at once, as before, should it be stuck elsewhere.
void catch_interrupts(Cancellation& cancellation);

// On Windows, made first: DLLs come from the system folder alone from then on, and while the
// object lives, std::cout and std::cerr write to a console as UTF-16, so it shows the program's
// UTF-8 text rightly; they are put back when it goes. On POSIX systems a closed standard output
// makes a write fail (SIGPIPE is ignored), so the run can report it.
class ConsoleSetup {
  public:
    ConsoleSetup();
    ~ConsoleSetup();
    ConsoleSetup(const ConsoleSetup&) = delete;
    ConsoleSetup& operator=(const ConsoleSetup&) = delete;
};

// Whether the stream is a terminal (on Windows, a console), where progress is drawn.
bool is_terminal(std::FILE* stream);

// Lines on standard error, one under the other, each rewritten in place; drawn only when standard
// error is a terminal. The caller writes nothing else to it while they are shown.
class StatusLines {
  public:
    // Puts out `count` empty lines and leaves the cursor below them.
    explicit StatusLines(std::size_t count);
    ~StatusLines();
    StatusLines(const StatusLines&) = delete;
    StatusLines& operator=(const StatusLines&) = delete;

    bool shown() const { return shown_; }
    // Rewrites line `index` (0 the first) with `text`, whatever it held.
    void set(std::size_t index, const std::string& text);

  private:
    std::size_t count_;
    bool shown_;
    // On Windows, the console row of the first line where the console takes no terminal
    // sequences, and the console's mode to put back where it was made to take them; a terminal
    // elsewhere is drawn on relative to the cursor, so there they go unused.
    [[maybe_unused]] int top_ = 0;
    [[maybe_unused]] bool sequences_ = false;
    [[maybe_unused]] unsigned long former_mode_ = 0;
};

}  // namespace tessmar::cli
