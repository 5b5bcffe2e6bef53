// A length qualification in a dialog, bound as one control (ControlKind::length_pair): the mode
// radios "Fixed Length" and "Max / Min Length", and the two number boxes (601, 602) with their
// labels (501, 502), which follow the mode.
#pragma once

#include <windows.h>

#include "model/settings_record.h"
#include "pages/ui/field_bindings.h"

namespace tessmar {

// Whether `id` is one of the two length boxes.
bool is_length_box(int id);

// Shows the mode, the two stored lengths and the labels of the mode.
void show_length_pair(HWND dialog, const FieldBinding& pair, const SettingsRecord& record);

// A mode radio clicked (the labels follow), a box's text changed (text that is no number is
// replaced by the box's fallback) or a box left (a length above 127 shows as 127). True when the
// control was one of the pair's.
bool on_length_pair_control(HWND dialog, const FieldBinding& pair, int id, UINT code);

// Writes the mode and the boxes' pending lengths, clamped so that 1 <= second <= first <= 127; in
// "Fixed Length" mode the larger length goes first.
void commit_length_pair(HWND dialog, const FieldBinding& pair, SettingsRecord& record);

}  // namespace tessmar
