// What the sheet, and so Stampwell's page, calls a setting: the caption of the first token it
// writes for the setting once the setting differs from the factory's ("Full ASCII ON",
// "Scanner Timeout").
#pragma once

#include <optional>
#include <string>

#include "model/settings_schema.h"

namespace tessmar {

// Null when the sheet writes nothing for it.
std::optional<std::string> setting_caption(const NamedSetting& setting);

}  // namespace tessmar
