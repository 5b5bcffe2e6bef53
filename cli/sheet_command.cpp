// tessmar-cli sheet FILE.orl [-o PATH]: writes the setup-code sheet of a settings file, as Print
// scanner settings does, answering Yes when nothing differs from the factory settings.
#include "cli/cli.h"
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

}  // namespace

int run_sheet(const Arguments& args) {
    ProgramState state;
    if (!open_settings(args.positional[0], state)) {
        return kFailure;
    }
    StringSink sink;
    WriteSetupCodeSheet(state, sink, [] { return true; });
    const FileResult written =
        write_output(args.has("-o") ? args["-o"] : "Barcode.prn", sink.text());
    return written.ok ? kSuccess : failure(written.error);
}

}  // namespace tessmar::cli
