// "Find setting": a box in which the user types words of a setting's name and picks the setting
// among those whose names hold them all, each shown by its place in the summary tree.
#pragma once

#include <windows.h>

#include "model/settings_schema.h"

namespace tessmar {

// Runs the dialog modally over `owner`. The setting picked by OK, Enter or a double-click, or
// null when the dialog was cancelled.
const NamedSetting* find_setting(HINSTANCE instance, HWND owner);

}  // namespace tessmar
