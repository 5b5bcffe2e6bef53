#include "sheet/print_tool_command.h"

namespace tessmar {
namespace {

std::string quoted(std::string_view name) {
    std::string text = "\"";
    text += name;
    text += '"';
    return text;
}

}  // namespace

PrintToolLaunch print_tool_launch(std::string_view program_directory) {
    std::string program(program_directory);
    program += kPrintToolFileName;
    std::string command_line = quoted(program) + " " + quoted(kSheetFileName);
    return {std::move(program), std::move(command_line)};
}

}  // namespace tessmar
