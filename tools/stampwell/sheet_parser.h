// Reading a setup-code sheet: a title line, then headings and setup codes, the last of them the
// closing code that stores the settings in the scanner. A code is a run of digits followed by its
// caption in angle brackets ("0207<Scanner Timeout>"); the text between codes holds the
// headings. Lines mean nothing: a sheet is a few long lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stampwell {

inline constexpr std::string_view kSheetTitle = "Orlo Scanner Configuration Sheet";
// The code that ends every complete sheet. A sheet without it was cut short: scanned, it would
// leave the scanner half set up.
inline constexpr std::string_view kClosingDigits = "9999";
inline constexpr std::string_view kClosingCaption = "Update";
// Longer codes are no setup codes; the longest the scanner knows has 14 digits.
inline constexpr std::size_t kMaxCodeDigits = 32;

struct SetupCode {
    std::string digits;
    std::string caption;
};

// The codes under one heading. Codes before the first heading, or after a blank line with no
// heading, form a group without one.
struct CodeGroup {
    std::string heading;
    bool sub_heading = false;  // a heading that follows a single line break, inside a section
    std::vector<SetupCode> codes;
};

struct Sheet {
    std::vector<CodeGroup> groups;
};

struct ParsedSheet {
    std::optional<Sheet> sheet;
    std::string error;  // why the text is not a sheet
};

// Accepts only a complete sheet: the title first and the closing code last.
ParsedSheet parse_sheet(std::string_view text);

}  // namespace stampwell
