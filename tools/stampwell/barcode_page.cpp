#include "tools/stampwell/barcode_page.h"

#include "tools/stampwell/code128.h"

namespace stampwell {
namespace {

constexpr std::string_view kStyle = R"(
@page { size: auto; margin: 12mm; }
body { font-family: "DejaVu Sans", Arial, Helvetica, sans-serif; color: #000; margin: 12mm; }
@media print { body { margin: 0; } .hint { display: none; } }
h1 { font-size: 16pt; margin: 0 0 2mm; }
.hint { font-size: 9pt; color: #444; margin: 0 0 4mm; }
h2 { font-size: 12pt; margin: 6mm 0 2mm; border-bottom: 0.3mm solid #000;
     break-after: avoid; page-break-after: avoid; }
h3 { font-size: 10.5pt; margin: 3mm 0 2mm; break-after: avoid; page-break-after: avoid; }
.group { margin-top: 5mm; }
.codes { display: flex; flex-wrap: wrap; gap: 3mm 4mm; }
figure.code { box-sizing: border-box; margin: 0; padding: 2mm; width: 58mm; border: 0.2mm solid #bbb;
              break-inside: avoid; page-break-inside: avoid; display: flex;
              flex-direction: column; align-items: center; }
.step { align-self: flex-start; font-weight: bold; font-size: 10pt; }
figure.code svg { display: block; margin: 1mm 0; }
figcaption { font-size: 9pt; text-align: center; }
.digits { display: block; font-family: "DejaVu Sans Mono", monospace; font-size: 7pt; color: #444; }
)";

std::string figure(const SetupCode& code, int step) {
    std::string html = "<figure class=\"code\"><div class=\"step\">";
    html += std::to_string(step);
    return html + "</div>\n" + code128_svg(code.digits, kModuleMm, kBarHeightMm) +
           "\n<figcaption>" + html_text(code.caption) + "<span class=\"digits\">" + code.digits +
           "</span></figcaption></figure>\n";
}

std::string group_html(const CodeGroup& group, int& step) {
    std::string html = "<section class=\"group\">\n";
    if (!group.heading.empty()) {
        const char* tag = group.sub_heading ? "h3" : "h2";
        html += std::string("<") + tag + ">" + html_text(group.heading) + "</" + tag + ">\n";
    }
    html += "<div class=\"codes\">\n";
    for (const SetupCode& code : group.codes) {
        html += figure(code, ++step);
    }
    return html + "</div>\n</section>\n";
}

}  // namespace

std::string html_text(std::string_view text) {
    std::string html;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '&':
                html += "&amp;";
                break;
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '"':
                html += "&quot;";
                break;
            default:
                if (byte >= 0x80) {
                    html += "&#";
                    html += std::to_string(byte);
                    html += ';';
                } else {
                    html += c;
                }
        }
    }
    return html;
}

std::string render_page(const Sheet& sheet, std::string_view source_name) {
    int codes = 0;
    for (const CodeGroup& group : sheet.groups) {
        codes += static_cast<int>(group.codes.size());
    }
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    html += "<title>" + html_text(kSheetTitle) + " (" + html_text(source_name) + ")</title>\n";
    html += "<style>" + std::string(kStyle) + "</style>\n</head>\n<body>\n";
    html += "<h1>" + html_text(kSheetTitle) + "</h1>\n";
    const std::string count = std::to_string(codes);
    html += "<p class=\"hint\">Scan the ";
    html += count + " setup codes in order, from 1 to " + count;
    html += ". Print this page at 100% size.</p>\n";
    int step = 0;
    for (const CodeGroup& group : sheet.groups) {
        html += group_html(group, step);
    }
    return html + "</body>\n</html>\n";
}

}  // namespace stampwell
