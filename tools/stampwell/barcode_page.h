// The printable pages of a sheet: its headings, and under each its steps in scanning order, each
// step's barcodes (Code 128) with their captions. One HTML file with the barcodes inline as SVG,
// so it needs nothing beside it. Every page ends with a footer naming the sheet, the order to
// scan in and "Page n of m".
#pragma once

#include <string>
#include <string_view>

#include "tools/stampwell/sheet_parser.h"

namespace stampwell {

// One module is 1/75 inch: 4 dots of a 300 dpi printer and 8 of a 600 dpi one, so every bar and
// space prints a whole number of dots; wide enough for any setup scanner.
inline constexpr double kModuleMm = 25.4 / 75;
inline constexpr double kBarHeightMm = 10;

// Where the sheet came from, for the title, the heading and the footers.
struct SheetOrigin {
    std::string name;     // the sheet file's name
    std::string written;  // when it was written ("2025-06-01 14:32"), or empty when not known
    // Whose settings the sheet sets up, as Tessmar names them ("Site A.orl", "new settings"),
    // and their fingerprint; either may be empty when not given.
    std::string settings;
    std::string fingerprint;
};

std::string render_page(const Sheet& sheet, const SheetOrigin& origin);

// Text made safe to stand in HTML: markup characters escaped, UTF-8 as it is (the page is UTF-8),
// and any other byte past ASCII as its Windows-1252 character.
std::string html_text(std::string_view text);

}  // namespace stampwell
