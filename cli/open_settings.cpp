// Opening a settings file for a command, as the Open command of Tessmar does; settings in text
// form (.toml) are imported.
#include <filesystem>
#include <iostream>

#include "cli/cli.h"
#include "files/utf8_path.h"
#include "model/settings_file.h"
#include "model/settings_text.h"

namespace tessmar::cli {

bool open_settings_text(const std::string& path, ProgramState& state) {
    load_factory_defaults(state);
    const SettingsTextFile file = read_settings_text_file(path);
    if (!file.read.ok) {
        failure(file.read.error);
        return false;
    }
    // Each error as FILE:LINE:COLUMN: message, so an editor can go to it.
    for (const SettingsTextError& error : file.imported.errors) {
        std::cerr << settings_text_error_line(path, error) << "\n";
    }
    if (!file.imported.ok()) {
        return false;
    }
    load_settings_bytes(state, file.imported.record.bytes);
    return true;
}

bool open_settings(const std::string& path, ProgramState& state, Accepted accepted) {
    if (is_settings_text_path(path)) {
        return open_settings_text(path, state);
    }
    load_factory_defaults(state);
    const OpenResult opened = open_settings_file_into(state, path);
    if (!opened.result.ok) {
        failure(opened.result.error);
        return false;
    }
    if (accepted == Accepted::whole_record && opened.file_size != kRecordSize) {
        failure(path + " holds " + std::to_string(opened.file_size) + " bytes, not " +
                std::to_string(kRecordSize) +
                ": it is no whole settings file (--force takes it all the same)");
        return false;
    }
    if (!opened.warning.empty()) {
        std::cerr << "tessmar-cli: warning: " << opened.warning << "\n";
    }
    return true;
}

bool output_of(const Arguments& args, const std::string& extension, std::string& output) {
    const std::string& input = args.positional[0];
    output = args.has("-o") ? args["-o"] : "";
    const std::size_t dot = input.find_last_of('.');
    const std::size_t folder = input.find_last_of("/\\");
    const bool has_extension =
        dot != std::string::npos && (folder == std::string::npos || dot > folder);
    if (output.empty()) {
        output = (has_extension ? input.substr(0, dot) : input) + extension;
    }
    std::error_code error;
    if (output == input ||
        (!is_standard_output(output) &&
         std::filesystem::equivalent(utf8_path(input), utf8_path(output), error))) {
        failure("the output would replace " + input + " itself; name another with -o");
        return false;
    }
    return true;
}

}  // namespace tessmar::cli
