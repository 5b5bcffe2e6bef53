// A terminal on POSIX systems takes UTF-8 and the cursor sequences as it is.
#include <unistd.h>

#include "cli/console.h"

namespace tessmar::cli {

ConsoleSetup::ConsoleSetup() = default;
ConsoleSetup::~ConsoleSetup() = default;

bool is_terminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

bool error_terminal_moves_cursor() {
    return is_terminal(stderr);
}

}  // namespace tessmar::cli
