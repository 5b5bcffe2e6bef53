// Settings files (.orl) hold exactly the record's bytes, with no header or checksum. This is the
// portable reader and writer used by tessmar-cli; Tessmar.exe saves through it too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/file_replacement.h"
#include "model/program_state.h"

namespace tessmar {

struct SettingsFileContents {
    FileResult result;
    std::vector<std::uint8_t> bytes;  // the leading bytes, at most one record's worth
    std::uintmax_t file_size = 0;     // the whole file's size
};

// Reads up to a record's worth of bytes.
SettingsFileContents read_settings_file(const std::string& path);

// Replaces the file with the record (see replace_file), so a failed save never destroys the
// previous file.
FileResult write_settings_file(const std::string& path, const SettingsRecord& record);

// The record's bytes as a file holds them.
std::string_view settings_file_bytes(const SettingsRecord& record);

// Opens a file the way the Open command does: reads it over the record from the first byte.
// `warning` tells when the file was not exactly one record long.
struct OpenResult {
    FileResult result;
    std::string warning;
    std::uintmax_t file_size = 0;
};
OpenResult open_settings_file_into(ProgramState& state, const std::string& path);

}  // namespace tessmar
