#include <gtest/gtest.h>

#include "tools/stampwell/sheet_parser.h"

namespace stampwell {
namespace {

constexpr std::string_view kSheet =
    "Orlo Scanner Configuration Sheet\r\n"
    "\r\n51277335127700<Enter Setup>\r\n9993<Restore Default Settings>"
    "\r\n\r\nScanner Settings\r\n0207<Scanner Timeout>9901<0x01>9994<Validate>"
    "\r\n\r\nData Substitution Settings\r\n0390<(1) String Replaced>9994<Validate>"
    "\r\n\r\nEditing Format 1 Settings\r\n9981<Select Format 1>"
    "\r\nApplicable Conditions Settings\r\n9991<Clear All>0500<Code 39>"
    "\r\n9980<End of Format 1>"
    "\r\n\r\n9999<Update>";

std::vector<std::string> codes_of(const CodeGroup& group) {
    std::vector<std::string> codes;
    for (const SetupCode& code : group.codes) {
        codes.push_back(code.digits + "<" + code.caption + ">");
    }
    return codes;
}

TEST(SheetParser, SplitsHeadingsAndCodesByTheirDelimiters) {
    const ParsedSheet parsed = parse_sheet(kSheet);
    ASSERT_TRUE(parsed.sheet) << parsed.error;
    const auto& groups = parsed.sheet->groups;
    ASSERT_EQ(groups.size(), 6u);
    using Codes = std::vector<std::string>;
    EXPECT_EQ(groups[0].heading, "");
    EXPECT_EQ(codes_of(groups[0]),
              (Codes{"51277335127700<Enter Setup>", "9993<Restore Default Settings>"}));
    EXPECT_EQ(groups[1].heading, "Scanner Settings");
    EXPECT_FALSE(groups[1].sub_heading);
    EXPECT_EQ(codes_of(groups[1]),
              (Codes{"0207<Scanner Timeout>", "9901<0x01>", "9994<Validate>"}));
    EXPECT_EQ(groups[2].heading, "Data Substitution Settings");
    EXPECT_EQ(groups[3].heading, "Editing Format 1 Settings");
    EXPECT_EQ(groups[4].heading, "Applicable Conditions Settings");
    EXPECT_TRUE(groups[4].sub_heading);
    EXPECT_EQ(codes_of(groups[4]),
              (Codes{"9991<Clear All>", "0500<Code 39>", "9980<End of Format 1>"}));
    // The closing code stands apart, after a blank line and no heading.
    EXPECT_EQ(groups[5].heading, "");
    EXPECT_EQ(codes_of(groups[5]), (Codes{"9999<Update>"}));
}

TEST(SheetParser, CodesOfAnyLengthAndCaptionsWithSigns) {
    const ParsedSheet parsed = parse_sheet(
        "Orlo Scanner Configuration Sheet\n7<Seven>0169<Modulo 11 && 10>9999<Update>\n");
    ASSERT_TRUE(parsed.sheet) << parsed.error;
    EXPECT_EQ(codes_of(parsed.sheet->groups[0]),
              (std::vector<std::string>{"7<Seven>", "0169<Modulo 11 && 10>", "9999<Update>"}));
}

TEST(SheetParser, TextsThatAreNoSheet) {
    const std::string title = "Orlo Scanner Configuration Sheet\r\n";
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"", "it does not begin with the line \"Orlo Scanner Configuration Sheet\""},
        {std::string("\x9B\xC9\x08\x00", 4), "it does not begin with the line"},
        {"Orlo Scanner Configuration Sheets\r\n0207<x>", "it does not begin with the line"},
        {title, "it holds no setup codes"},
        {title + "0207<Timeout", "the '<' at byte 38 has no closing '>'"},
        {title + "Scanner Settings\r\n<Timeout>", "no setup code stands before the '<' at byte 52"},
        {title + "0207<Time<out>", "the caption at byte 38 is not a caption"},
        {title + "0207<Tab\tbed>", "the caption at byte 38 is not a caption"},
        {title + "0207<a>>0208<b>", "the text before the setup code at byte 46 is not a heading"},
        {title + "Head\x01ing\r\n0207<a>", "the text before the setup code at byte 48 is not"},
        {title + "0207<a>\r\ntrailing", "it has text after its last setup code at byte 41"},
        {title + std::string(33, '1') + "<a>", "the setup code before the '<' at byte 67 is too"},
    };
    for (const auto& c : cases) {
        const ParsedSheet parsed = parse_sheet(c.text);
        EXPECT_FALSE(parsed.sheet) << c.text;
        EXPECT_TRUE(parsed.error.starts_with(c.error)) << parsed.error;
    }
}

// A sheet cut anywhere, as a full disk or a lost connection leaves it, is no sheet: scanned, it
// would leave the scanner half set up. Cut after a whole code, it is the closing code that is
// missing.
TEST(SheetParser, ASheetCutAnywhereIsRefused) {
    ASSERT_TRUE(parse_sheet(kSheet).sheet);
    int cuts_after_a_code = 0;
    for (std::size_t cut = 0; cut < kSheet.size(); ++cut) {
        const ParsedSheet parsed = parse_sheet(kSheet.substr(0, cut));
        ASSERT_FALSE(parsed.sheet) << "cut at " << cut;
        if (cut > kSheetTitle.size() && kSheet[cut - 1] == '>') {
            ++cuts_after_a_code;
            EXPECT_EQ(parsed.error,
                      "it does not end with the closing code 9999<Update>, so it is not complete")
                << "cut at " << cut;
        }
    }
    EXPECT_EQ(cuts_after_a_code, 11);
}

TEST(SheetParser, CodesAfterTheClosingCodeMakeNoSheet) {
    std::string text(kSheet);
    text += "0207<Scanner Timeout>";
    const ParsedSheet parsed = parse_sheet(text);
    EXPECT_FALSE(parsed.sheet);
    EXPECT_NE(parsed.error.find("closing code 9999<Update>"), std::string::npos);
}

}  // namespace
}  // namespace stampwell
