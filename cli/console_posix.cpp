// A terminal on POSIX systems takes UTF-8 and the cursor movements of ANSI terminals as it is.
#include <unistd.h>

#include <csignal>
#include <iostream>

#include "cli/console.h"

namespace tessmar::cli {

// A closed standard output then fails the write, which the run reports, instead of killing the
// process without a word after the work is done.
ConsoleSetup::ConsoleSetup() {
    std::signal(SIGPIPE, SIG_IGN);
}
ConsoleSetup::~ConsoleSetup() = default;

bool is_terminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

StatusLines::StatusLines(std::size_t count) : count_(count), shown_(is_terminal(stderr)) {
    if (shown_) {
        std::cerr << std::string(count_, '\n') << std::flush;
    }
}

StatusLines::~StatusLines() = default;

// Up to the line, the text over it and the rest of it cleared, then back down below the last.
void StatusLines::set(std::size_t index, const std::string& text) {
    if (!shown_) {
        return;
    }
    const std::size_t up = count_ - index;
    std::cerr << "\x1b[" << up << "A\r" << text << "\x1b[K\x1b[" << up << "B\r" << std::flush;
}

}  // namespace tessmar::cli
