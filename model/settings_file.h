// Settings files (.orl) hold exactly the record's bytes, with no header or checksum. This is the
// portable reader and writer used by tessmar-cli; Tessmar.exe does the same through Win32 files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/program_state.h"

namespace tessmar {

struct FileResult {
    bool ok = false;
    std::string error;  // why it failed, for the user
};

struct SettingsFileContents {
    FileResult result;
    std::vector<std::uint8_t> bytes;  // the leading bytes, at most one record's worth
    std::uintmax_t file_size = 0;     // the whole file's size
};

// Reads up to a record's worth of bytes.
SettingsFileContents read_settings_file(const std::string& path);

// Writes the record beside the target first and puts it in place only once every byte was
// written, so a failed save never destroys the previous file.
FileResult write_settings_file(const std::string& path, const SettingsRecord& record);

// Opens a file the way the Open command does: reads it over the record from the first byte.
// `warning` tells when the file was not exactly one record long.
struct OpenResult {
    FileResult result;
    std::string warning;
};
OpenResult open_settings_file_into(ProgramState& state, const std::string& path);

}  // namespace tessmar
