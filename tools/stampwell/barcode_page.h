// The printable page of a sheet: its headings, and under each its setup codes as Code 128
// barcodes with their captions, numbered in the order they are to be scanned. One HTML file with
// the barcodes inline as SVG, so it needs nothing beside it; no barcode is split across pages
// when it is printed.
#pragma once

#include <string>
#include <string_view>

#include "tools/stampwell/sheet_parser.h"

namespace stampwell {

// One module is 1/80 inch: wide enough for any setup scanner, and a whole number of dots on
// 400 and 600 dpi printers.
inline constexpr double kModuleMm = 25.4 / 80;
inline constexpr double kBarHeightMm = 10;

// `source_name` is the sheet file's name, for the page's title.
std::string render_page(const Sheet& sheet, std::string_view source_name);

// Text made safe to stand in HTML: markup characters escaped, bytes past ASCII as their
// Latin-1 characters.
std::string html_text(std::string_view text);

}  // namespace stampwell
