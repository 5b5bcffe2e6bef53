// A guard in front of the TOML parser, whose recursion follows the text: a key of tens of
// thousands of dotted parts, or brackets nested as deep, overflow its stack. No setting lies
// deeper than `editing_format.2.field_divider.1.terminating_string.keys`, so a text that goes
// deeper is refused before it is parsed.
#pragma once

#include <optional>
#include <string_view>

#include "model/settings_text.h"

namespace tessmar {

// The parts of the deepest key a settings text needs, and the deepest nesting of its tables.
inline constexpr std::size_t kDeepestSettingKey = 6;

// Where a text first holds a key of more parts, or tables and arrays nested deeper, than a
// settings text ever needs; nothing when it holds none.
std::optional<SettingsTextError> too_deep(std::string_view text);

}  // namespace tessmar
