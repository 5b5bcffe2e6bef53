// tessmar-cli import FILE.toml [-o FILE.orl]: makes a settings file of settings in text form.
#include "cli/cli.h"
#include "model/settings_file.h"

namespace tessmar::cli {

// Nothing is written unless the whole text was read without an error.
int run_import(const Arguments& args) {
    std::string output;
    ProgramState state;
    if (!output_of(args, ".orl", output) || !open_settings_text(args.positional[0], state)) {
        return kFailure;
    }
    const FileResult written = write_output(output, settings_file_bytes(state.record));
    return written.ok ? kSuccess : failure(written.error);
}

}  // namespace tessmar::cli
