#include "tools/stampwell/stampwell.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "files/file_replacement.h"
#include "tools/stampwell/barcode_page.h"
#include "tools/stampwell/sheet_parser.h"

namespace stampwell {
namespace {

constexpr const char* kUsage =
    "Usage: stampwell [--no-open] SHEET\n"
    "Writes the setup codes of SHEET (a sheet such as Barcode.prn) as a printable page of\n"
    "numbered barcodes beside it (Barcode.html) and opens the page in the default browser.\n"
    "  --no-open  only write the page (so does a non-empty STAMPWELL_NO_OPEN variable)\n";

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

// The file's text, or an error. It is read up to one byte past the limit, so a device or a pipe
// that never ends is refused too.
bool read_sheet(const std::string& path, std::string& text, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "Cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    text.resize(kMaxSheetBytes + 1);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        error = "Cannot read " + path + ".";
        return false;
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxSheetBytes) {
        error = path + " is not a setup-code sheet: it is far too large for one.";
        return false;
    }
    return true;
}

// Names come and go as UTF-8: the program's code page on Windows, the usual encoding elsewhere.
// On Windows libstdc++ reads a plain char string by the C locale (as Latin-1) but gives UTF-8
// back, so names are read as UTF-8 explicitly.
std::filesystem::path utf8_path(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

// Whether two paths name one file: the same name, or one file reached by two names (a link, or
// another case of the name where the file system ignores case).
bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ignored;
    return a == b || std::filesystem::equivalent(a, b, ignored);
}

}  // namespace

std::string page_path_for(const std::string& sheet_path) {
    const std::filesystem::path sheet = utf8_path(sheet_path);
    const std::filesystem::path page = std::filesystem::path(sheet).replace_extension(".html");
    // Never over the sheet itself.
    return same_file(page, sheet) ? sheet_path + ".html" : page.string();
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
    if (same_file(utf8_path(page), utf8_path(options.sheet))) {
        platform.report_error("Cannot write the page " + page + ": it is the sheet itself.");
        return 1;
    }
    const std::string name = utf8_path(options.sheet).filename().string();
    if (const tessmar::FileResult written =
            tessmar::replace_file(page, render_page(*parsed.sheet, name));
        !written.ok) {
        platform.report_error("Cannot write the page: " + written.error + ".");
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
