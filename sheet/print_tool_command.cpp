#include "sheet/print_tool_command.h"

namespace tessmar {

std::string quote_argument(std::string_view argument) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;  // the run of backslashes just read, not yet written
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal unless a quote follows them: then each one needs a second,
        // and the quote one of its own.
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, '\\');
    quoted += '"';
    return quoted;
}

PrintToolLaunch print_tool_launch(std::string_view program_directory) {
    std::string program(program_directory);
    program += kPrintToolFileName;
    std::string command_line = quote_argument(program) + " " + quote_argument(kSheetFileName);
    return {std::move(program), std::move(command_line)};
}

}  // namespace tessmar
