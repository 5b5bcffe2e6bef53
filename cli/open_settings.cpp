// Opening a settings file for a command, as the Open command of Tessmar does.
#include <iostream>

#include "cli/cli.h"
#include "model/settings_file.h"

namespace tessmar::cli {

bool open_settings(const std::string& path, ProgramState& state, Accepted accepted) {
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

}  // namespace tessmar::cli
