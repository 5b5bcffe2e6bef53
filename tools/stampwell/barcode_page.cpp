#include "tools/stampwell/barcode_page.h"

#include <cstdio>

#include "tools/stampwell/code128.h"
#include "tools/stampwell/page_layout.h"
#include "tools/stampwell/sheet_steps.h"
#include "tools/stampwell/step_captions.h"

namespace stampwell {
namespace {

constexpr std::string_view kScanOrder = "Scan the codes in order, starting with 1";
// A settings name longer than this is cut, so that the heading keeps to its line.
constexpr std::size_t kMaxSettingsNameBytes = 60;

std::string mm(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%gmm", value);
    return text;
}

// The style sheet, with the layout's sizes: the browser must give every block the height the
// layout counted with. Heights that vary (a line, a step's head) are set on the element.
std::string style_sheet() {
    std::string css = "\n@page { margin: " + mm(kPageMarginMm) + "; }\n";
    css += R"(* { box-sizing: border-box; }
html, body { margin: 0; padding: 0; }
body { font-family: "DejaVu Sans", Arial, Helvetica, sans-serif; color: #000; }
.hint { font-size: 10pt; margin: 5mm auto 0; }
.page { position: relative; break-after: page; page-break-after: always; }
.page:last-child { break-after: auto; page-break-after: auto; }
@media screen {
  body { background: #ccc; padding: 1px 0 5mm; }
  .page { box-sizing: content-box; margin: 5mm auto 0; background: #fff; box-shadow: 0 0 2mm #777; }
}
@media print { .hint { display: none; } }
h1, h2, h3 { margin: 0; overflow: hidden; white-space: nowrap; }
h1 { font-size: 16pt; line-height: 9mm; }
h1 small { font-size: 11pt; font-weight: normal; margin-left: 3mm; }
h2 { font-size: 12pt; line-height: 6mm; padding-top: 2.5mm; border-bottom: 0.3mm solid #000; }
h3 { font-size: 10.5pt; line-height: 5mm; padding-top: 2mm; }
.line { display: flex; align-items: flex-start; }
.step { border-style: solid; border-color: #888; border-radius: 1mm; overflow: hidden; }
.head { font-size: 9pt; font-weight: bold; overflow: hidden; overflow-wrap: anywhere; }
.head .number { font-size: 11pt; }
.codes { display: flex; flex-wrap: wrap; }
figure { margin: 0; display: flex; flex-direction: column; align-items: center; }
figure svg { display: block; }
figcaption { width: 100%; display: flex; padding-top: 0.6mm; font-size: 7pt; line-height: 3mm;
             white-space: nowrap; }
figcaption b { margin-right: 1.2mm; }
figcaption .caption { flex: 1; overflow: hidden; text-overflow: ellipsis; }
figcaption .digits { margin-left: auto; padding-left: 1.2mm; color: #444;
                     font-family: "DejaVu Sans Mono", monospace; }
footer { position: absolute; left: 0; right: 0; bottom: 0; display: flex; gap: 4mm;
         justify-content: space-between; align-items: flex-end; padding-bottom: 1mm;
         border-top: 0.2mm solid #000; font-size: 8pt; }
footer span { white-space: nowrap; }
footer .source { overflow: hidden; text-overflow: ellipsis; }
)";
    css += ".hint, .page { width: " + mm(kPageWidthMm) +
           "; }\n.page { height: " + mm(kPageHeightMm) + "; }\nfooter { height: " + mm(kFooterMm) +
           "; }\n";
    css += "h1 { height: " + mm(kTitleMm) + "; }\nh2 { height: " + mm(kHeadingMm) +
           "; }\nh3 { height: " + mm(kSubHeadingMm) + "; }\n";
    css += ".line { padding-top: " + mm(kLineGapMm) + "; }\n.step { margin: 0 " +
           mm(kStepMarginMm) + "; border-width: " + mm(kFrameBorderMm) + "; }\n";
    css += ".head { padding: " + mm(kStepHeadPaddingMm / 2) + " " + mm(kStepPaddingMm) +
           "; line-height: " + mm(kStepHeadLineMm) +
           "; }\n.head .number { margin-right: " + mm(kNumberGapMm) +
           "; }\nfigure { height: " + mm(kRowMm) +
           "; }\nfigcaption { padding-left: " + mm(kStepPaddingMm) +
           "; padding-right: " + mm(kStepPaddingMm) + "; }\n";
    return css;
}

// A key string's caption may break after any of its keys.
std::string breakable_caption(const std::string& caption) {
    std::string html;
    for (const char c : html_text(caption)) {
        html += c;
        if (c == ']') {
            html += "<wbr>";
        }
    }
    return html;
}

// A step of one code shows what it is in its head; its barcode's caption needs only the label.
std::string figure(const Step& step, std::size_t index, double width_mm) {
    const SetupCode& code = step.codes[index];
    std::string html = "<figure style=\"width:" + mm(width_mm) + "\">\n";
    html += code128_svg(code.digits, kModuleMm, kBarHeightMm);
    html += "\n<figcaption><b>" + code_label(step, index) + "</b><span class=\"caption\">" +
            (step.codes.size() > 1 ? html_text(code_caption(step.codes, index)) : "") +
            "</span><span class=\"digits\">" + code.digits + "</span></figcaption></figure>\n";
    return html;
}

std::string step_html(const StepPiece& piece, double height_mm) {
    const Step& step = *piece.step;
    std::string html = "<div class=\"step\" style=\"width:" + mm(piece.width_mm()) +
                       ";height:" + mm(height_mm) + "\">\n";
    const double head_mm =
        kStepHeadPaddingMm + static_cast<double>(piece.head_lines()) * kStepHeadLineMm;
    html += "<div class=\"head\" style=\"height:" + mm(head_mm) + "\">" +
            (piece.continued() ? html_text(piece.head_text())
                               : "<span class=\"number\">" + std::to_string(step.number) +
                                     "</span>" + breakable_caption(piece.head_text())) +
            "</div>\n<div class=\"codes\">\n";
    // The frame takes its share of the width, and a cell rounded up by a hair must never push
    // the last one of a row onto the next.
    const double inner_mm = piece.width_mm() - 2 * kFrameBorderMm - 0.5;
    const double cell_mm = inner_mm / static_cast<double>(piece.cells());
    for (std::size_t i = piece.first; i < piece.first + piece.count; ++i) {
        html += figure(step, i, cell_mm);
    }
    return html + "</div>\n</div>\n";
}

std::string block_html(const PageBlock& block) {
    if (block.kind == PageBlock::Kind::heading) {
        const char* tag = block.group->sub_heading ? "h3" : "h2";
        return std::string("<") + tag + ">" +
               html_text(shortened(block.group->heading, kMaxHeadingBytes)) +
               (block.continued ? std::string(kContinued) : "") + "</" + tag + ">\n";
    }
    std::string html = "<div class=\"line\" style=\"height:" + mm(block.height_mm) + "\">\n";
    // The frames of a line are as high as its highest.
    for (const StepPiece& piece : block.pieces) {
        html += step_html(piece, block.height_mm - kLineGapMm);
    }
    return html + "</div>\n";
}

// The fingerprint first: a long settings name is cut at its end, never the fingerprint.
std::string settings_words(const SheetOrigin& origin) {
    std::string words = origin.fingerprint;
    if (!origin.settings.empty()) {
        if (!words.empty()) {
            words += ' ';
        }
        words += shortened(origin.settings, kMaxSettingsNameBytes);
    }
    return words;
}

std::string footer_html(const SheetOrigin& origin, std::size_t page, std::size_t pages) {
    const std::string settings = settings_words(origin);
    std::string source = html_text(settings.empty() ? origin.name : settings + ", " + origin.name);
    if (!origin.written.empty()) {
        source += ", written " + html_text(origin.written);
    }
    return "<footer><span class=\"source\">" + source + "</span><span>" + std::string(kScanOrder) +
           "</span><span>Page " + std::to_string(page) + " of " + std::to_string(pages) +
           "</span></footer>\n";
}

std::string_view markup_escape(char c) {
    switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        default:
            return {};
    }
}

// The length of the well-formed UTF-8 character `text` starts with, or 0. The second byte's range
// depends on the first (no overlong forms, no surrogates, nothing past U+10FFFF); the rest are
// continuation bytes.
std::size_t utf8_length(std::string_view text) {
    struct Lead {
        unsigned char first_low, first_high, second_low, second_high;
        std::size_t length;
    };
    static constexpr Lead kLeads[] = {
        {0x00, 0x7F, 0x00, 0x00, 1}, {0xC2, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3},
        {0xE1, 0xEC, 0x80, 0xBF, 3}, {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3},
        {0xF0, 0xF0, 0x90, 0xBF, 4}, {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4},
    };
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (const Lead& lead : kLeads) {
        if (byte(0) < lead.first_low || byte(0) > lead.first_high) {
            continue;
        }
        if (text.size() < lead.length) {
            return 0;
        }
        if (lead.length > 1 && (byte(1) < lead.second_low || byte(1) > lead.second_high)) {
            return 0;
        }
        for (std::size_t i = 2; i < lead.length; ++i) {
            if ((byte(i) & 0xC0) != 0x80) {
                return 0;
            }
        }
        return lead.length;
    }
    return 0;
}

}  // namespace

std::string html_text(std::string_view text) {
    std::string html;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (const std::string_view escape = markup_escape(c); !escape.empty()) {
            html += escape;
            ++i;
        } else if (const std::size_t length = utf8_length(text.substr(i)); length > 0) {
            html += text.substr(i, length);
            i += length;
        } else {
            // Not UTF-8: a byte of Windows-1252, which is how a browser takes this reference.
            html += "&#" + std::to_string(static_cast<unsigned char>(c)) + ";";
            ++i;
        }
    }
    return html;
}

std::string render_page(const Sheet& sheet, const SheetOrigin& origin) {
    const std::vector<StepGroup> groups = sheet_steps(sheet);
    const std::vector<Page> pages = lay_out_pages(groups);
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    const std::string settings = settings_words(origin);
    html += "<title>" + html_text(kSheetTitle) +
            (settings.empty() ? "" : ": " + html_text(settings)) + " (" + html_text(origin.name) +
            ")</title>\n";
    html += "<style>" + style_sheet() + "</style>\n</head>\n<body>\n";
    html +=
        "<p class=\"hint\">Print at 100% size (\"Actual size\", not \"Fit to page\"), on Letter "
        "or A4 paper. " +
        std::string(kScanOrder) + ".</p>\n";
    for (std::size_t p = 0; p < pages.size(); ++p) {
        html += "<section class=\"page\">\n";
        if (p == 0) {
            html += "<h1>" + html_text(kSheetTitle) +
                    (settings.empty() ? "" : " <small>" + html_text(settings) + "</small>") +
                    "</h1>\n";
        }
        for (const PageBlock& block : pages[p].blocks) {
            html += block_html(block);
        }
        html += footer_html(origin, p + 1, pages.size()) + "</section>\n";
    }
    return html + "</body>\n</html>\n";
}

}  // namespace stampwell
