#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "sheet/print_tool_command.h"

namespace tessmar {
namespace {

// Splits the arguments after the program's name as the C runtime of a Windows program does:
// blanks end an argument outside quotes; backslashes count only before a quote, where each pair
// gives one backslash and an odd one left over makes the quote a literal character.
std::vector<std::string> split_arguments(std::string_view line) {
    std::vector<std::string> arguments;
    std::string current;
    bool quoted = false;
    bool started = false;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == '\\') {
            std::size_t count = 0;
            for (; i < line.size() && line[i] == '\\'; ++i) {
                ++count;
            }
            const bool before_quote = i < line.size() && line[i] == '"';
            current.append(before_quote ? count / 2 : count, '\\');
            if (before_quote && count % 2 == 1) {
                current += '"';
                ++i;
            }
            started = true;
        } else if (line[i] == '"') {
            quoted = !quoted;
            started = true;
            ++i;
        } else if ((line[i] == ' ' || line[i] == '\t') && !quoted) {
            if (started) {
                arguments.push_back(current);
            }
            current.clear();
            started = false;
            ++i;
        } else {
            current += line[i++];
            started = true;
        }
    }
    if (started) {
        arguments.push_back(current);
    }
    return arguments;
}

TEST(PrintToolCommand, QuotesTheToolsPathAndTheSheetsName) {
    const struct {
        const char* directory;
        const char* command_line;
    } kCases[] = {
        {"C:\\Program Files\\Tessmar\\",
         "\"C:\\Program Files\\Tessmar\\Stampwell.exe\" \"Barcode.prn\""},
        {"C:\\Tools\\", "\"C:\\Tools\\Stampwell.exe\" \"Barcode.prn\""},
        {"\\\\server\\share with blanks\\",
         "\"\\\\server\\share with blanks\\Stampwell.exe\" \"Barcode.prn\""},
    };
    for (const auto& c : kCases) {
        const PrintToolLaunch launch = print_tool_launch(c.directory);
        EXPECT_EQ(launch.program, std::string(c.directory) + "Stampwell.exe");
        EXPECT_EQ(launch.command_line, c.command_line) << c.directory;
        // The program's name runs to the closing quote, and the sheet is the one argument left.
        const std::string_view rest =
            std::string_view(launch.command_line).substr(launch.program.size() + 2);
        EXPECT_EQ(split_arguments(rest), std::vector<std::string>{"Barcode.prn"}) << c.directory;
    }
}

// Whatever an argument holds, the program started reads it back as one argument, unchanged.
TEST(PrintToolCommand, AQuotedArgumentIsReadBackWhole) {
    const std::string kArguments[] = {
        "",           "plain", "two words", "tab\there",           "ends in \\", "\\\\",
        "say \"hi\"", "\\\"",  "a\\\\\"b",  "C:\\Program Files\\", "trail\\\\",  "\"\"quoted\"\"",
    };
    for (const std::string& argument : kArguments) {
        const std::string quoted = quote_argument(argument);
        EXPECT_EQ(split_arguments(quoted + " next"), (std::vector<std::string>{argument, "next"}))
            << quoted;
    }
}

}  // namespace
}  // namespace tessmar
