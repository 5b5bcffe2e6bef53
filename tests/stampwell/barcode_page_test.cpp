#include <gtest/gtest.h>

#include "tools/stampwell/barcode_page.h"

namespace stampwell {
namespace {

std::size_t count(const std::string& text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

std::string page_of(std::string_view sheet, const SheetOrigin& origin) {
    const ParsedSheet parsed = parse_sheet(sheet);
    EXPECT_TRUE(parsed.sheet) << parsed.error;
    return parsed.sheet ? render_page(*parsed.sheet, origin) : "";
}

// The pieces appear in this order.
void expect_in_order(const std::string& html, const std::vector<std::string>& pieces) {
    std::size_t at = 0;
    for (const std::string& piece : pieces) {
        const std::size_t found = html.find(piece, at);
        ASSERT_NE(found, std::string::npos) << piece << " after byte " << at;
        at = found + piece.size();
    }
}

TEST(BarcodePage, StepsUnderTheirHeadingsWithTheirBarcodesLabelledInScanningOrder) {
    const std::string html = page_of(
        "Orlo Scanner Configuration Sheet\r\n\r\n51277335127700<Enter Setup>"
        "\r\n\r\nScanner Settings\r\n0207<Scanner Timeout>9902<0x02>9994<Validate>"
        "\r\n\r\nMSI Settings\r\n0169<Modulo 11 && 10>"
        "\r\nFields Settings\r\n0583<Total Fields>\r\n\r\n9999<Update>",
        {"Barcode.prn", "2025-06-01 14:32", "", ""});
    EXPECT_EQ(count(html, "\n<svg"), 7u);
    expect_in_order(
        html, {"<h1>Orlo Scanner Configuration Sheet</h1>",
               "<span class=\"number\">1</span>Enter Setup", "data-code=\"51277335127700\"",
               // One code: the head says what it is, the barcode's caption only its label.
               "<b>1</b><span class=\"caption\"></span><span class=\"digits\">51277335127700<",
               "<h2>Scanner Settings</h2>", "<span class=\"number\">2</span>Scanner Timeout: 2<",
               "data-code=\"0207\"", "<b>2a</b><span class=\"caption\">Scanner Timeout</span>",
               "data-code=\"9902\"", "<b>2b</b><span class=\"caption\">2</span>",
               "data-code=\"9994\"", "<b>2c</b><span class=\"caption\">Validate</span>",
               "<h2>MSI Settings</h2>", "Modulo 11 &amp;&amp; 10", "<h3>Fields Settings</h3>",
               "Total Fields: 6", "data-code=\"0583\"", "data-code=\"9999\"",
               "<footer><span class=\"source\">Barcode.prn, written 2025-06-01 14:32</span>"
               "<span>Scan the codes in order, starting with 1</span><span>Page 1 of 1</span>"
               "</footer>\n</section>\n</body>"});
}

// Every page ends with its footer, counting the pages; the title stands on the first alone.
TEST(BarcodePage, EveryPageHasItsFooterAndItsNumberOfAll) {
    std::string sheet = "Orlo Scanner Configuration Sheet\r\n";
    for (int code = 1; code <= 100; ++code) {
        sheet += std::to_string(1000 + code) + "<Code>";
    }
    const std::string html = page_of(sheet + "9999<Update>", {"Site <A>.prn", "", "", ""});
    // 101 steps of one code, three a line, nine lines a page.
    EXPECT_EQ(count(html, "<section class=\"page\">"), 4u);
    EXPECT_EQ(count(html, "<footer>"), 4u);
    for (int page = 1; page <= 4; ++page) {
        EXPECT_EQ(count(html,
                        "<footer><span class=\"source\">Site &lt;A&gt;.prn</span><span>Scan "
                        "the codes in order, starting with 1</span><span>Page " +
                            std::to_string(page) + " of 4</span></footer>\n</section>"),
                  1u)
            << page;
    }
    EXPECT_EQ(count(html, "<h1>"), 1u);
}

// A module of 1/75 inch with quiet zones of ten modules: the Update code's 57 modules of bars
// and 20 of quiet zone are 77/75 inch wide.
TEST(BarcodePage, ModulesAreAWholeNumberOfPrinterDots) {
    const std::string html =
        page_of("Orlo Scanner Configuration Sheet\r\n9999<Update>", {"S", "", "", ""});
    EXPECT_NE(html.find("width=\"26.0773mm\" height=\"10.0000mm\" viewBox=\"0 0 77 1\""),
              std::string::npos);
    for (const int dpi : {300, 600}) {
        const double dots = kModuleMm / 25.4 * dpi;
        EXPECT_DOUBLE_EQ(dots, static_cast<int>(dots + 0.5)) << dpi;
    }
}

// The page is UTF-8: a name in UTF-8 shows as it is. A byte that is no part of a UTF-8
// character (overlong, a surrogate, past U+10FFFF, cut short) is taken as Windows-1252.
TEST(BarcodePage, TextIsEscapedForHtml) {
    EXPECT_EQ(html_text("a&b \"c\" <d> \xE9"), "a&amp;b &quot;c&quot; &lt;d&gt; &#233;");
    const std::string utf8 =
        "R\xC3\xA9glages \xCE\xA1\xCF\x85\xCE\xB8 \xE2\x82\xAC \xF0\x9F\x93\xA6";
    EXPECT_EQ(html_text(utf8), utf8);
    EXPECT_EQ(html_text("\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\xE2\x82<"),
              "&#192;&#175;&#237;&#160;&#128;&#244;&#144;&#128;&#128;&#226;&#130;&lt;");
}

}  // namespace
}  // namespace stampwell
