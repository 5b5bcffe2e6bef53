#include "tools/stampwell/stampwell.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>

#include "arguments/command_line.h"
#include "files/file_replacement.h"
#include "files/utf8_path.h"
#include "model/settings_fingerprint.h"
#include "tools/stampwell/barcode_page.h"
#include "tools/stampwell/sheet_parser.h"
#include "version.h"

namespace stampwell {
namespace {

constexpr const char* kUsage =
    "Usage: stampwell [--no-open] [--settings NAME] [--fingerprint FP] [--] SHEET\n"
    "Writes the setup codes of SHEET (a sheet such as Barcode.prn) as printable pages\n"
    "of numbered barcodes beside it (Barcode.html), and opens them in the default\n"
    "browser. Print them at 100% size on Letter or A4 paper.\n"
    "\n"
    "  --no-open      only write the page (as does a non-empty STAMPWELL_NO_OPEN)\n"
    "  --settings NAME\n"
    "                 whose settings the sheet sets up, for the title and footers\n"
    "  --fingerprint FP\n"
    "                 their fingerprint (XXXX-XXXX), shown beside their name\n"
    "  --             what follows is SHEET, even if it begins with '-'\n"
    "  --help         show this help\n"
    "  --version      show the version\n";

struct Options {
    std::string sheet;
    bool open = true;
    std::string settings;
    std::string fingerprint;
};

bool has_control_character(std::string_view text) {
    return std::ranges::any_of(text, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

// Returns an exit code when there is no sheet to print: asked for help or the version, or a
// usage error. An option's value is the next argument whatever it begins with, so a settings
// file named "-x.orl" is a name.
std::optional<int> parse_arguments(const std::vector<std::string>& args, Options& options,
                                   Platform& platform) {
    std::string refusal;  // why a value was refused, in Stampwell's own words
    const auto settings = [&](const std::string& value) {
        options.settings = value;
        refusal = has_control_character(value) ? "the settings name holds a control character" : "";
        return refusal.empty();
    };
    const auto fingerprint = [&](const std::string& value) {
        options.fingerprint = value;
        if (!tessmar::is_settings_fingerprint(value)) {
            refusal = "'" + value + "' is not a fingerprint (XXXX-XXXX, uppercase hexadecimal)";
        }
        return refusal.empty();
    };
    const tessmar::Option table[] = {
        {.name = "--no-open", .take = tessmar::store(options.open, false)},
        {.name = "--settings", .takes = tessmar::Takes::values, .take = settings},
        {.name = "--fingerprint", .takes = tessmar::Takes::values, .take = fingerprint},
    };
    const tessmar::ParseResult parse = tessmar::parse_command_line(
        args, {.options = table, .operand = "SHEET", .version = true, .dash_dash_ends = true});
    if (parse.end == parse.help || parse.end == parse.version) {
        platform.print(parse.end == parse.help ? kUsage : "stampwell " TESSMAR_VERSION "\n");
        return 0;
    }
    options.sheet = parse.arguments.positional.empty() ? "" : parse.arguments.positional.back();
    std::string mistake = refusal.empty() ? parse.message : refusal;
    if (!parse.missing.empty()) {  // Stampwell quotes the option
        mistake = "option '" + parse.missing + "' needs a value";
    }
    if (parse.end == parse.run && options.sheet.empty()) {
        mistake = "no SHEET given";
    }
    if (!mistake.empty()) {
        platform.report_error(mistake + "\nTry 'stampwell --help'.");
        return 2;
    }
    return std::nullopt;
}

// The file's text, or an error. It is read up to one byte past the limit, so a device or a pipe
// that never ends is refused too.
bool read_sheet(const std::string& path, std::string& text, std::string& error) {
    std::error_code ignored;
    if (std::filesystem::is_directory(tessmar::utf8_path(path), ignored)) {
        error = "Cannot read " + path + ": it is a folder, not a sheet.";
        return false;
    }
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

// Whether two paths name one file: the same name, or one file reached by two names (a link, or
// another case of the name where the file system ignores case).
bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ignored;
    return a == b || std::filesystem::equivalent(a, b, ignored);
}

// When the sheet was last written, in local time, or empty when the system cannot tell.
std::string written_time(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_time_type written =
        std::filesystem::last_write_time(tessmar::utf8_path(path), error);
    if (error) {
        return {};
    }
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
    const std::tm* local = std::localtime(&seconds);
    char text[32];
    if (local == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", local) == 0) {
        return {};
    }
    return text;
}

}  // namespace

std::string page_path_for(const std::string& sheet_path) {
    const std::filesystem::path sheet = tessmar::utf8_path(sheet_path);
    const std::filesystem::path page = std::filesystem::path(sheet).replace_extension(".html");
    // Never over the sheet itself.
    return same_file(page, sheet) ? sheet_path + ".html" : page.string();
}

std::string file_url(const std::string& absolute_path) {
    std::string url = "file://";
    for (const char c : absolute_path) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) != 0 || (c != '\0' && std::strchr("/-._~", c) != nullptr)) {
            url += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            url += escaped;
        }
    }
    return url;
}

int run(const std::vector<std::string>& args, Platform& platform) {
    Options options;
    if (const std::optional<int> exit_code = parse_arguments(args, options, platform)) {
        return *exit_code;
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
    if (same_file(tessmar::utf8_path(page), tessmar::utf8_path(options.sheet))) {
        platform.report_error("Cannot write the page " + page + ": it is the sheet itself.");
        return 1;
    }
    const SheetOrigin origin{tessmar::utf8_path(options.sheet).filename().string(),
                             written_time(options.sheet), options.settings, options.fingerprint};
    if (const tessmar::FileResult written =
            tessmar::replace_file(page, render_page(*parsed.sheet, origin));
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
