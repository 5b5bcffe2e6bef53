// Where the commands' output goes: files replaced safely, or standard output.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>

#include "cli/cli.h"
#include "cli/console.h"
#include "model/settings_fingerprint.h"

namespace tessmar::cli {

std::string fingerprint_note(const SettingsRecord& record) {
    return " (fingerprint " + settings_fingerprint(record.bytes) + ")";
}

bool is_standard_output(const std::string& path) {
    return path == "-";
}

FileResult write_output(const std::string& path, std::string_view content) {
    if (!is_standard_output(path)) {
        return replace_file(path, content);
    }
    // What the command printed before goes first.
    std::cout.flush();
    // A console shows the text rightly only as std::cout is set up to write it there.
    if (is_terminal(stdout)) {
        std::cout << content << std::flush;
        return {static_cast<bool>(std::cout), std::cout ? "" : "cannot write standard output"};
    }
    const std::unique_ptr<FileReplacement> output = standard_output_replacement();
    output->write(content);
    return output->commit();
}

int finish_standard_output(int exit_code, int trouble) {
    // Commands print last, so a write that failed while the command ran left its reason in errno;
    // otherwise the final flush gives it.
    int error = std::cout ? 0 : errno;
    if (std::cout && !std::cout.flush()) {
        error = errno;
    }
    if (std::cout) {
        return exit_code;
    }
    failure("cannot write standard output" +
            (error != 0 ? ": " + std::string(std::strerror(error)) : std::string()));
    return std::max(exit_code, trouble);
}

}  // namespace tessmar::cli
