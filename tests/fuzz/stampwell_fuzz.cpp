// Stampwell's parser and page: any text either is refused or is a complete sheet, title first and
// closing code last, that reads the same when written out again, whose steps hold every code once
// and in order, laid out on pages as they must be (see layout_properties.h), and whose page shows
// every code with a footer on every page and grows no faster than the sheet.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_support.h"
#include "tests/stampwell/layout_properties.h"
#include "tools/stampwell/barcode_page.h"
#include "tools/stampwell/step_captions.h"

namespace {

using tessmar::fuzz::require;

// The page's size bound: so many bytes per byte of the sheet, and the style sheet and the rest
// that every page has.
constexpr std::size_t kPageBytesPerSheetByte = 300;
constexpr std::size_t kPageBytesBeside = 16 * 1024;

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

std::size_t count_of(const std::string& text, std::string_view what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

// A step ends with its Validate, or where a code that names a setting (or stands alone) begins
// the next.
bool ends_before(const stampwell::Step& step, const stampwell::Step& next) {
    const std::optional<int> last = stampwell::four_digit_code(step.codes.back());
    const std::optional<int> first = stampwell::four_digit_code(next.codes.front());
    return last == stampwell::kValidateCode ||
           !(first && (stampwell::is_value_code(*first) || *first == stampwell::kValidateCode));
}

// Each group's steps, numbered on from 1, hold its codes in order; a step ends only where a
// Validate (or the group) ends it.
bool steps_hold_the_codes(const stampwell::Sheet& sheet,
                          const std::vector<stampwell::StepGroup>& groups) {
    if (groups.size() != sheet.groups.size()) {
        return false;
    }
    int number = 0;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        std::vector<std::string> codes;
        const stampwell::Step* previous = nullptr;
        for (const stampwell::Step& step : groups[g].steps) {
            if (step.number != ++number || step.codes.empty() ||
                (previous != nullptr && !ends_before(*previous, step))) {
                return false;
            }
            previous = &step;
            for (const stampwell::SetupCode& code : step.codes) {
                codes.push_back(code.digits + "<" + code.caption + ">");
            }
        }
        std::vector<std::string> expected;
        for (const stampwell::SetupCode& code : sheet.groups[g].codes) {
            expected.push_back(code.digits + "<" + code.caption + ">");
        }
        if (codes != expected) {
            return false;
        }
    }
    return true;
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
    const std::vector<stampwell::StepGroup> groups = stampwell::sheet_steps(sheet);
    require(steps_hold_the_codes(sheet, groups), "the steps hold every code once, in order");
    const std::vector<stampwell::Page> pages = stampwell::lay_out_pages(groups);
    const std::string fault = stampwell::test::layout_fault(groups, pages);
    require(fault.empty(), fault);

    const std::string page = stampwell::render_page(
        sheet, {"fuzz.prn", "2025-06-01 14:32", "fuzz <settings>.orl", "5B52-03E2"});
    require(count_of(page, "<figure") == codes, "the page shows every code");
    require(count_of(page, "<footer>") == pages.size() &&
                page.find("<span>Page " + std::to_string(pages.size()) + " of " +
                          std::to_string(pages.size()) + "</span></footer>") != std::string::npos,
            "every page has its footer, the last counting all");
    require(page.ends_with("</html>\n"), "the page is whole");
    // The densest sheet, steps of one three-byte code ("1<>"), gives some 260 bytes a byte.
    require(page.size() <= kPageBytesPerSheetByte * size + kPageBytesBeside,
            "the page grows no faster than its sheet");
    return 0;
}
