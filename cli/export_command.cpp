// tessmar-cli export FILE.orl [-o FILE.toml] [--changed]: writes every setting as text, TOML that
// people can review, keep under version control and edit; import reads it back byte for byte.
// With --changed only what differs from the factory, in a text marked partial.
#include "cli/cli.h"
#include "model/settings_text.h"

namespace tessmar::cli {

int run_export(const Arguments& args) {
    std::string output;
    ProgramState state;
    if (!output_of(args, ".toml", output) || !open_settings(args.positional[0], state)) {
        return kFailure;
    }
    std::string text;
    if (args.has("--changed")) {
        PartialSettingsText partial = export_partial_settings_text(state.record);
        if (!partial.error.empty()) {
            return failure(partial.error + "; export it without --changed");
        }
        text = std::move(partial.text);
    } else {
        text = export_settings_text(state.record);
    }
    const FileResult written = write_output(output, text);
    return written.ok ? kSuccess : failure(written.error);
}

}  // namespace tessmar::cli
