// A terminal on POSIX systems takes UTF-8 and the cursor movements of ANSI terminals as it is.
#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <iostream>

#include "cli/console.h"

namespace tessmar::cli {
namespace {

Cancellation* interrupted_transfers = nullptr;  // set before the handler is

void on_interrupt(int) {
    interrupted_transfers->request();
}

}  // namespace

void catch_interrupts(Cancellation& cancellation) {
    interrupted_transfers = &cancellation;
    struct sigaction interrupt {};
    interrupt.sa_handler = on_interrupt;
    sigemptyset(&interrupt.sa_mask);
    // Writes to the terminal go on; a wait for the scanner ends at once and sees the request.
    // The handler is reset to the default as it runs, so a second signal ends the program.
    interrupt.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &interrupt, nullptr);
    sigaction(SIGTERM, &interrupt, nullptr);
}

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
