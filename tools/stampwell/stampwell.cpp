#include "tools/stampwell/stampwell.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/stampwell/barcode_page.h"
#include "tools/stampwell/sheet_parser.h"

namespace stampwell {
namespace {

constexpr const char* kUsage =
    "Usage: stampwell [--no-open] SHEET\n"
    "Writes the setup codes of SHEET (a sheet such as Barcode.prn) as a printable page of\n"
    "numbered barcodes beside it (Barcode.html) and opens the page in the default browser.\n"
    "  --no-open  only write the page (so does a non-empty STAMPWELL_NO_OPEN variable)\n";

// A sheet is a few kilobytes; anything this large is something else.
constexpr std::uintmax_t kMaxSheetBytes = 4 * 1024 * 1024;

struct Options {
    std::string sheet;
    bool open = true;
};

bool parse_arguments(const std::vector<std::string>& args, Options& options) {
    for (const std::string& arg : args) {
        if (arg == "--no-open") {
            options.open = false;
        } else if (!arg.empty() && arg[0] == '-') {
            return false;
        } else if (options.sheet.empty()) {
            options.sheet = arg;
        } else {
            return false;
        }
    }
    return !options.sheet.empty();
}

// The file's text, or an error.
bool read_sheet(const std::string& path, std::string& text, std::string& error) {
    std::error_code size_error;
    const std::uintmax_t size = std::filesystem::file_size(path, size_error);
    if (size_error) {
        error = "Cannot read " + path + ": " + size_error.message();
        return false;
    }
    if (size > kMaxSheetBytes) {
        error = path + " is not a setup-code sheet: it is far too large for one.";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    if (!in) {
        error = "Cannot read " + path + ".";
        return false;
    }
    text = content.str();
    return true;
}

bool write_page(const std::string& path, const std::string& html) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << html;
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace

std::string page_path_for(const std::string& sheet_path) {
    std::filesystem::path page(sheet_path);
    // Never over the sheet itself.
    if (page.extension() == ".html") {
        return sheet_path + ".html";
    }
    return page.replace_extension(".html").string();
}

int run(const std::vector<std::string>& args, Platform& platform) {
    Options options;
    if (!parse_arguments(args, options)) {
        platform.report_error(kUsage);
        return 2;
    }
    std::string text, error;
    if (!read_sheet(options.sheet, text, error)) {
        platform.report_error(error);
        return 1;
    }
    const ParsedSheet parsed = parse_sheet(text);
    if (!parsed.sheet) {
        platform.report_error(options.sheet + " is not a setup-code sheet: " + parsed.error + ".");
        return 1;
    }
    const std::string page = page_path_for(options.sheet);
    const std::string name = std::filesystem::path(options.sheet).filename().string();
    if (!write_page(page, render_page(*parsed.sheet, name))) {
        platform.report_error("Cannot write the page " + page + ".");
        return 1;
    }
    if (!options.open || platform.browser_disabled()) {
        platform.report_note("Wrote " + page);
        return 0;
    }
    if (const std::string failed = platform.open_in_browser(page); !failed.empty()) {
        platform.report_error("The page " + page + " was written, but no browser could show it (" +
                              failed + "). Open it yourself to print it.");
        return 1;
    }
    return 0;
}

}  // namespace stampwell
