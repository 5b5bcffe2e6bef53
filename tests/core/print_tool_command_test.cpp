#include <gtest/gtest.h>

#include <string>

#include "sheet/print_tool_command.h"

namespace tessmar {
namespace {

// The program's name runs to its closing quote, whatever blanks the folders' names hold; the
// settings name stays one argument, whatever it holds, and the sheet is the one after "--".
TEST(PrintToolCommand, QuotesTheToolsPathTheSettingsNameAndTheSheetsName) {
    const struct {
        const char* directory;
        const char* settings;
        const char* command_line;
    } kCases[] = {
        {"C:\\Program Files\\Tessmar\\", "Site A.orl",
         "\"C:\\Program Files\\Tessmar\\Stampwell.exe\" --settings \"Site A.orl\" --fingerprint "
         "\"1A2B-3C4D\" -- \"Barcode.prn\""},
        {"C:\\Tools\\", "-x.orl",
         "\"C:\\Tools\\Stampwell.exe\" --settings \"-x.orl\" --fingerprint \"1A2B-3C4D\" -- "
         "\"Barcode.prn\""},
        {"\\\\server\\share with blanks\\", "a\\\"b\\",
         "\"\\\\server\\share with blanks\\Stampwell.exe\" --settings \"a\\\\\\\"b\\\\\" "
         "--fingerprint \"1A2B-3C4D\" -- \"Barcode.prn\""},
    };
    for (const auto& c : kCases) {
        const PrintToolLaunch launch = print_tool_launch(c.directory, c.settings, "1A2B-3C4D");
        EXPECT_EQ(launch.program, std::string(c.directory) + "Stampwell.exe");
        EXPECT_EQ(launch.command_line, c.command_line) << c.directory;
    }
}

}  // namespace
}  // namespace tessmar
