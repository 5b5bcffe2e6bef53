// tessmar-cli sheet FILE.orl [-o PATH]: writes the setup-code sheet of a settings file, as Print
// scanner settings does, answering Yes when nothing differs from the factory settings.
#include <cerrno>
#include <cstring>
#include <fstream>

#include "cli/cli.h"
#include "sheet/setup_code_sheet.h"

namespace tessmar::cli {
namespace {

class StreamSink : public SheetSink {
  public:
    explicit StreamSink(std::ostream& out) : out_(out) {}
    void write(std::string_view text) override {
        out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    }

  private:
    std::ostream& out_;
};

}  // namespace

int run_sheet(const Arguments& args) {
    ProgramState state;
    if (!open_settings(args.positional[0], state)) {
        return kFailure;
    }
    const std::string path = args.has("-o") ? args["-o"] : "Barcode.prn";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return failure("cannot create " + path + ": " + std::strerror(errno));
    }
    StreamSink sink(out);
    WriteSetupCodeSheet(state, sink, [] { return true; });
    out.flush();
    if (!out) {
        return failure("cannot write " + path + ": " + std::strerror(errno));
    }
    return kSuccess;
}

}  // namespace tessmar::cli
