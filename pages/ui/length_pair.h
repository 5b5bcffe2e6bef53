// A length qualification in a dialog: the mode radios "Fixed Length" and "Max / Min Length", and
// the two number boxes (601, 602) with their labels (501, 502), which follow the mode.
#pragma once

#include <windows.h>

#include "model/settings_record.h"
#include "model/symbologies.h"
#include "pages/ui/field_bindings.h"

namespace tessmar {

struct LengthPair {
    LengthFields fields;
    int fixed_radio;  // "Fixed Length"; "Max / Min Length" is the next id

    // The mode radios as a bound radio group: "Fixed Length" stands for 0.
    constexpr FieldBinding mode() const { return bind::radios(fixed_radio, 2, fields.mode); }
};

// Shows the mode, the two stored lengths and the labels of the mode.
void show_length_pair(HWND dialog, const LengthPair& pair, const SettingsRecord& record);

// A mode radio clicked (the labels follow) or a box's text changed (text that is no number is
// replaced by the box's fallback). True when the control was one of the pair's.
bool on_length_pair_control(HWND dialog, const LengthPair& pair, int id, UINT code);

// Writes the mode and the boxes' pending lengths, clamped so that 1 <= second <= first <= 127.
void commit_length_pair(HWND dialog, const LengthPair& pair, SettingsRecord& record);

// Puts the mode and both lengths back to their factory values.
void reset_length_pair(const LengthPair& pair, SettingsRecord& record);

}  // namespace tessmar
