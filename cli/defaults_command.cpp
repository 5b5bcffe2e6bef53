// tessmar-cli defaults -o FILE.orl: writes the factory settings file.
#include "cli/cli.h"
#include "model/settings_file.h"

namespace tessmar::cli {

int run_defaults(const Arguments& args) {
    ProgramState state;
    load_factory_defaults(state);
    const FileResult written = write_output(args["-o"], settings_file_bytes(state.record));
    return written.ok ? kSuccess : failure(written.error);
}

}  // namespace tessmar::cli
