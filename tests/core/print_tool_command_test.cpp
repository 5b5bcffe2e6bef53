#include <gtest/gtest.h>

#include <string>

#include "sheet/print_tool_command.h"

namespace tessmar {
namespace {

// The program's name runs to its closing quote, whatever blanks the folders' names hold, and the
// sheet is the one argument after it.
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
    }
}

}  // namespace
}  // namespace tessmar
