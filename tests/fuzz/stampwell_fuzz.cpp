// Stampwell's parser and page: any text either is refused or is a complete sheet, title first and
// closing code last, that reads the same when written out again, and whose page shows every code.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_support.h"
#include "tools/stampwell/barcode_page.h"

namespace {

using tessmar::fuzz::require;

// The sheet written out in the form the parser reads back into the same groups: the title's own
// line break counts as the first one before a group.
std::string written_out(const stampwell::Sheet& sheet) {
    std::string text(stampwell::kSheetTitle);
    text += "\r\n";
    for (std::size_t i = 0; i < sheet.groups.size(); ++i) {
        const stampwell::CodeGroup& group = sheet.groups[i];
        if (!group.heading.empty()) {
            text += i == 0 ? (group.sub_heading ? "" : "\r\n")
                           : (group.sub_heading ? "\r\n" : "\r\n\r\n");
            text += group.heading + "\r\n";
        } else if (i > 0) {
            text += "\r\n\r\n";
        }
        for (const stampwell::SetupCode& code : group.codes) {
            text += code.digits + "<" + code.caption + ">";
        }
    }
    return text;
}

bool same_groups(const stampwell::Sheet& a, const stampwell::Sheet& b) {
    return std::equal(a.groups.begin(), a.groups.end(), b.groups.begin(), b.groups.end(),
                      [](const stampwell::CodeGroup& x, const stampwell::CodeGroup& y) {
                          return x.heading == y.heading && x.sub_heading == y.sub_heading &&
                                 std::equal(x.codes.begin(), x.codes.end(), y.codes.begin(),
                                            y.codes.end(), [](const auto& c, const auto& d) {
                                                return c.digits == d.digits &&
                                                       c.caption == d.caption;
                                            });
                      });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const stampwell::ParsedSheet parsed = stampwell::parse_sheet(text);
    if (!parsed.sheet) {
        require(!parsed.error.empty(), "a refused text is told why");
        return 0;
    }
    const stampwell::Sheet& sheet = *parsed.sheet;
    require(text.starts_with(stampwell::kSheetTitle), "a sheet begins with its title");
    const stampwell::SetupCode& last = sheet.groups.back().codes.back();
    require(last.digits == stampwell::kClosingDigits && last.caption == stampwell::kClosingCaption,
            "a sheet ends with its closing code");

    const stampwell::ParsedSheet again = stampwell::parse_sheet(written_out(sheet));
    require(again.sheet && same_groups(*again.sheet, sheet),
            "a sheet written out again reads the same");

    std::size_t codes = 0;
    for (const stampwell::CodeGroup& group : sheet.groups) {
        codes += group.codes.size();
    }
    const std::string page = stampwell::render_page(sheet, "fuzz.prn");
    std::size_t figures = 0;
    for (std::size_t at = page.find("<figure"); at != std::string::npos;
         at = page.find("<figure", at + 1)) {
        ++figures;
    }
    require(figures == codes, "the page shows every code");
    require(page.ends_with("</html>\n"), "the page is whole");
    return 0;
}
