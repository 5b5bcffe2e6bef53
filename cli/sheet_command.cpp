// tessmar-cli sheet FILE.orl [-o PATH]: writes the setup-code sheet of a settings file, as Print
// scanner settings does, answering Yes when nothing differs from the factory settings.
#include <iostream>

#include "cli/cli.h"
#include "model/settings_fingerprint.h"
#include "sheet/setup_code_sheet.h"

namespace tessmar::cli {
namespace {

class StringSink : public SheetSink {
  public:
    void write(std::string_view text) override { text_ += text; }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

// A word the shell takes whole: single quotes, each quote inside closed, escaped and reopened.
std::string shell_quoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

}  // namespace

int run_sheet(const Arguments& args) {
    ProgramState state;
    if (!open_settings(args.positional[0], state)) {
        return kFailure;
    }
    StringSink sink;
    WriteSetupCodeSheet(state, sink, [] { return true; });
    const std::string output = args.has("-o") ? args["-o"] : "Barcode.prn";
    const FileResult written = write_output(output, sink.text());
    if (!written.ok) {
        return failure(written.error);
    }
    // The sheet holds codes alone; the page that prints them names the settings, as Tessmar's
    // Print does.
    if (!is_standard_output(output)) {
        const std::string& file = args.positional[0];
        std::cout << "Print it with: stampwell --settings "
                  << shell_quoted(file.substr(file.find_last_of("/\\") + 1)) << " --fingerprint "
                  << settings_fingerprint(state.record.bytes) << " -- " << shell_quoted(output)
                  << "\n";
    }
    return kSuccess;
}

}  // namespace tessmar::cli
