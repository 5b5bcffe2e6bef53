// Importing settings in text form: whatever text comes in, import holds, and every error it finds
// has a place in the text, or is about the whole of it (settings missing, too large). What it
// accepts, export gives back equivalently: the text of the record imports to the same record, and
// that text is stable.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/settings_text.h"
#include "tests/fuzz/fuzz_support.h"

using tessmar::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tessmar::SettingsTextImport imported = tessmar::import_settings_text(text);
    for (const tessmar::SettingsTextError& error : imported.errors) {
        require((error.line == 0 || error.column >= 1) && !error.message.empty(),
                "every error has a place in the text, or is the whole text's, and a message");
    }
    if (!imported.ok()) {
        return 0;
    }
    const std::string exported = tessmar::export_settings_text(imported.record);
    const tessmar::SettingsTextImport again = tessmar::import_settings_text(exported);
    require(again.ok() && again.record == imported.record,
            "the text export gives of what import accepted imports to the same record");
    require(tessmar::export_settings_text(again.record) == exported, "a record's text is stable");
    return 0;
}
