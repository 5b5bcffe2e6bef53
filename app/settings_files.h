// Open, Save and Save As: settings files hold exactly the record's 1562 bytes.
#pragma once

#include <windows.h>

#include <string>

#include "app/app_context.h"

namespace tessmar {

// Either way but `saved`, the document's file name stays as it was, and a command that asked for
// the save stops.
enum class SaveOutcome {
    saved,
    cancelled,  // the user closed the Save As dialog
    failed,     // the file could not be written; the user was told and the old file is intact
};

// Chooses a file and reads it over the record from its first byte. True when it was read.
bool open_settings_file(AppContext& app, HWND owner);

// Reads the named file over the record and makes it the document's file. A file that cannot be
// read is reported and leaves the record and the document's file name as they were. A file of
// another size than a record is read all the same and said to be so; the document then has no
// file name, so Save asks for one.
bool open_settings_path(AppContext& app, HWND owner, const std::string& path);

// Writes the record to the current file, or asks for a name when there is none.
SaveOutcome save_settings_file(AppContext& app, HWND owner);

// Asks for a name, forces the ".orl" extension (asking first, when the name with ".orl" added is
// that of a file already there), writes, and remembers the name once the file is written.
SaveOutcome save_settings_file_as(AppContext& app, HWND owner);

}  // namespace tessmar
