// Stampwell turns a setup-code sheet into a printable page of barcodes and opens it in the
// default browser. The run itself is portable; showing messages and opening the browser are
// each platform's own.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace stampwell {

// What a run needs from its platform.
class Platform {
  public:
    virtual ~Platform() = default;
    virtual void report_error(const std::string& text) = 0;
    virtual void report_note(const std::string& text) = 0;
    // What the user asked to see: the help and the version.
    virtual void print(const std::string& text) = 0;
    // Opens the page in the default browser; an empty result means it was handed over.
    virtual std::string open_in_browser(const std::string& page_path) = 0;
    // When set, the page is only written: a test or a build machine asked for no browser.
    virtual bool browser_disabled() = 0;
};

inline constexpr const char* kNoOpenVariable = "STAMPWELL_NO_OPEN";

// The largest sheet read. Tessmar's largest is about 52 KB; a file far larger is something else,
// and its page would take hundreds of megabytes.
inline constexpr std::size_t kMaxSheetBytes = 256 * 1024;

// The page written for `sheet_path`: beside it, with the extension .html (Barcode.prn gives
// Barcode.html), or with .html added when that would be the sheet itself (S.html, or S.HTML where
// case does not count).
std::string page_path_for(const std::string& sheet_path);

// A file:// URL of an absolute path, every byte but letters, digits and "/-._~" percent-encoded:
// given as it is, a page named "mailto:x.html" would be opened as a mail.
std::string file_url(const std::string& absolute_path);

// Runs stampwell with its arguments (without the program name); returns the exit code.
int run(const std::vector<std::string>& args, Platform& platform);

}  // namespace stampwell
