// The five predefined code-ID sets: the characters each set puts into the sixteen code-ID
// entries, in the Code ID page's order.
#pragma once

#include <string>
#include <string_view>

#include "model/settings_record.h"

namespace tessmar {

inline constexpr int kCodeIdPresetSets = 5;

// The characters set n (1 to 5) gives entry i (0 to 15): one or two uppercase letters, none for
// PDF 417.
std::string_view code_id_preset(int set, int entry);

// The preset as a code ID holds it: the plain character codes, then the terminator.
KeyStringBuffer code_id_preset_value(int set, int entry);

// The preset as the key strings show it, each character in brackets: "[F][F]".
std::string code_id_preset_text(int set, int entry);

}  // namespace tessmar
