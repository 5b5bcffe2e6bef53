#include "sheet/print_tool_command.h"

namespace tessmar {
namespace {

// Quoted as the C runtime splits a command line: a backslash is doubled only before a quote,
// its own or the closing one, and a quote inside is escaped.
std::string quoted(std::string_view name) {
    std::string text = "\"";
    std::size_t backslashes = 0;
    for (const char c : name) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        text.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        text += c;
    }
    text.append(2 * backslashes, '\\');
    text += '"';
    return text;
}

}  // namespace

PrintToolLaunch print_tool_launch(std::string_view program_directory,
                                  std::string_view settings_name, std::string_view fingerprint) {
    std::string program(program_directory);
    program += kPrintToolFileName;
    std::string command_line = quoted(program) + " --settings " + quoted(settings_name) +
                               " --fingerprint " + quoted(fingerprint) + " -- " +
                               quoted(kSheetFileName);
    return {std::move(program), std::move(command_line)};
}

}  // namespace tessmar
