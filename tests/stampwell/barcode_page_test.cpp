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

TEST(BarcodePage, HeadingsThenNumberedBarcodesInScanningOrder) {
    const ParsedSheet parsed = parse_sheet(
        "Orlo Scanner Configuration Sheet\r\n\r\n51277335127700<Enter Setup>"
        "\r\n\r\nMSI Settings\r\n0169<Modulo 11 && 10>"
        "\r\nFields Settings\r\n0583<Total Fields>\r\n\r\n9999<Update>");
    ASSERT_TRUE(parsed.sheet);
    const std::string html = render_page(*parsed.sheet, "Barcode.prn");
    EXPECT_EQ(count(html, "<svg"), 4u);
    EXPECT_EQ(count(html, "<h2>"), 1u);
    EXPECT_EQ(count(html, "<h3>"), 1u);
    const std::size_t positions[] = {
        html.find("<div class=\"step\">1</div>\n<svg"),
        html.find("data-code=\"51277335127700\""),
        html.find("Enter Setup<span class=\"digits\">51277335127700</span>"),
        html.find("<h2>MSI Settings</h2>"),
        html.find("<div class=\"step\">2</div>"),
        html.find("Modulo 11 &amp;&amp; 10"),
        html.find("<h3>Fields Settings</h3>"),
        html.find("<div class=\"step\">3</div>"),
        html.find("<div class=\"step\">4</div>\n<svg xmlns=\"http://www.w3.org/2000/svg\""),
        html.find("data-code=\"9999\""),
    };
    for (std::size_t i = 0; i < std::size(positions); ++i) {
        ASSERT_NE(positions[i], std::string::npos) << "piece " << i;
        if (i > 0) {
            EXPECT_LT(positions[i - 1], positions[i]) << "piece " << i;
        }
    }
    EXPECT_NE(html.find("Scan the 4 setup codes in order, from 1 to 4."), std::string::npos);
    // Printed, a barcode with its caption is never cut by a page break.
    EXPECT_NE(html.find("break-inside: avoid"), std::string::npos);
}

TEST(BarcodePage, TextIsEscapedForHtml) {
    EXPECT_EQ(html_text("a&b \"c\" <d> \xE9"), "a&amp;b &quot;c&quot; &lt;d&gt; &#233;");
}

}  // namespace
}  // namespace stampwell
