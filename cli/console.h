// The terminal tessmar-cli writes to: whether a stream is one, and on Windows the console's set-up
// for the run (UTF-8 text, and the sequences that move the cursor for redrawn progress lines).
#pragma once

#include <cstdio>

namespace tessmar::cli {

// Sets the console up while the object lives and puts back what it changed when it goes.
class ConsoleSetup {
  public:
    ConsoleSetup();
    ~ConsoleSetup();
    ConsoleSetup(const ConsoleSetup&) = delete;
    ConsoleSetup& operator=(const ConsoleSetup&) = delete;
};

// Whether the stream is a terminal (on Windows, a console), where progress is drawn.
bool is_terminal(std::FILE* stream);

// Whether standard error is a terminal that moves the cursor up and down on "ESC [ n A" and
// "ESC [ n B", so that several progress lines can be redrawn in place.
bool error_terminal_moves_cursor();

}  // namespace tessmar::cli
