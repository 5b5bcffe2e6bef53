// tessmar-cli defaults -o FILE.orl: writes the factory settings file.
#include "cli/cli.h"
#include "model/settings_file.h"

namespace tessmar::cli {

int run_defaults(const Arguments& args) {
    ProgramState state;
    load_factory_defaults(state);
    const FileResult written = write_settings_file(args["-o"], state.record);
    return written.ok ? kSuccess : failure(written.error);
}

}  // namespace tessmar::cli
