// tessmar-cli export FILE.orl [-o FILE.toml]: writes every setting as text, TOML that people can
// review, keep under version control and edit; import reads it back byte for byte.
#include "cli/cli.h"
#include "model/settings_text.h"

namespace tessmar::cli {

int run_export(const Arguments& args) {
    const std::string& name = args.positional[0];
    std::string output = args.has("-o") ? args["-o"] : "";
    ProgramState state;
    if ((output.empty() && !default_output(name, ".toml", output)) || !open_settings(name, state)) {
        return kFailure;
    }
    const FileResult written = write_output(output, export_settings_text(state.record));
    return written.ok ? kSuccess : failure(written.error);
}

}  // namespace tessmar::cli
