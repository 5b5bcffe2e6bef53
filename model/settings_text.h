// Settings as text: a record written as TOML, for people to review, keep under version control and
// edit, and read back byte for byte. Every setting stands under its field's name in the summary
// tree's groups; a last table, [bytes], holds the bits the named settings cannot carry (reserved
// bits, bytes after a key string's terminator, a slot no text gives back). A partial text begins
// with `base = "factory"` and names only what differs from the factory settings.
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

// The settings that differ from the factory's, under `base = "factory"`. The bits no setting
// holds are the factory's in such a text; a setting whose bytes no text gives back cannot be
// written, and `error` then names it.
struct PartialSettingsText {
    std::string text;
    std::string error;
};
PartialSettingsText export_partial_settings_text(const SettingsRecord& record);

// Larger texts are refused unread; the largest export is about 30 KB.
inline constexpr std::size_t kMaxSettingsTextSize = 1024 * 1024;
// An import gives up after this many errors.
inline constexpr std::size_t kMaxSettingsTextErrors = 20;

// Where a text goes wrong, counted from 1, and why; line 0 for the text as a whole.
struct SettingsTextError {
    std::size_t line = 0;
    std::size_t column = 0;
    std::string message;
};

// A text read over the factory settings: [bytes] first, then each setting the text names. A text
// must name every setting (or give its bits in [bytes]) unless it is partial; [bytes] may repeat
// a named setting's bits only with the same value, and a partial text has no [bytes]. Any error
// (TOML syntax, a table or name unknown, a value of the wrong type or out of range, keys that
// cannot be entered, settings missing) leaves `record` unusable.
struct SettingsTextImport {
    SettingsRecord record;
    bool partial = false;                   // the text began with base = "factory"
    std::vector<SettingsTextError> errors;  // in the order of their places in the text

    bool ok() const { return errors.empty(); }
};
SettingsTextImport import_settings_text(std::string_view text);

// "FILE:LINE:COLUMN: message", as compilers give it, so editors can go to the place; "FILE:
// message" for the text as a whole.
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
