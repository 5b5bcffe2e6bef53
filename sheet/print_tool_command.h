// How Tessmar starts the printing tool: the tool's full path and the command line that hands it
// the sheet.
#pragma once

#include <string>
#include <string_view>

namespace tessmar {

inline constexpr char kSheetFileName[] = "Barcode.prn";
// The page the tool writes for the sheet, beside it.
inline constexpr char kSheetPageFileName[] = "Barcode.html";
inline constexpr char kPrintToolFileName[] = "Stampwell.exe";

struct PrintToolLaunch {
    std::string program;       // the tool's full path
    std::string command_line;  // the program, the options and the sheet's name, each quoted
};

// Stampwell.exe in `program_directory` (which ends in a backslash) on the sheet's name alone,
// which it finds in the current directory it inherits, told whose settings the sheet sets up and
// their fingerprint. Unquoted, a blank in the path would end the program's name: "C:\Program
// Files\..." would start C:\Program. The settings name goes before "--", as an option's value,
// so that a name beginning with "-" is never read as an option.
PrintToolLaunch print_tool_launch(std::string_view program_directory,
                                  std::string_view settings_name, std::string_view fingerprint);

}  // namespace tessmar
