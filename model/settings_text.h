// Settings as text: a record written as TOML, for people to review, keep under version control and
// edit, and read back byte for byte. Every setting stands under its field's name in the summary
// tree's groups; a last table, [bytes], holds what the named settings cannot carry (reserved bits,
// bytes after a key string's terminator, a slot no text gives back).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_replacement.h"
#include "model/settings_record.h"

namespace tessmar {

// The whole record as text. Reading it back gives the record again, byte for byte.
std::string export_settings_text(const SettingsRecord& record);

// Where a text goes wrong, counted from 1, and why.
struct SettingsTextError {
    std::size_t line = 0;
    std::size_t column = 0;
    std::string message;
};

// A text read over the factory settings: [bytes] first, then each setting the text names, so a
// hand-edited file may leave settings out, or hold only what differs from the factory. Any error
// (TOML syntax, a table or name unknown, a value of the wrong type or out of range, keys that
// cannot be entered) leaves `record` unusable.
struct SettingsTextImport {
    SettingsRecord record;
    std::vector<SettingsTextError> errors;  // in the order of their places in the text

    bool ok() const { return errors.empty(); }
};
SettingsTextImport import_settings_text(std::string_view text);

// "FILE:LINE:COLUMN: message", as compilers give it, so editors can go to the place.
std::string settings_text_error_line(std::string_view path, const SettingsTextError& error);

// Whether a path names settings in text form: it ends in ".toml", in any case.
bool is_settings_text_path(std::string_view path);

// Reads and imports a settings text file; `read` tells when the file could not be read at all.
struct SettingsTextFile {
    FileResult read;
    SettingsTextImport imported;
};
SettingsTextFile read_settings_text_file(const std::string& path);

}  // namespace tessmar
