// Industrial 25, Interleave 25 and Matrix 25 share one set of options: one dialog layout, one set
// of tree lines and sheet captions, each under the symbology's own name. A row here holds what
// differs between them, and the settings' table, the tree and the sheet walk these rows.
#pragma once

#include <algorithm>
#include <iterator>

#include "model/symbologies.h"

namespace tessmar {

// A one-bit option's setup codes: the code of the value 1, and of 0.
struct ToggleCodes {
    int code_1 = 0;
    int code_0 = 0;
};

// The setup codes a 2-of-5 symbology's section of the sheet writes.
struct TwoOfFiveCodes {
    ToggleCodes enable;
    int start_stop = 0;  // of the first selection; each next one is one more
    ToggleCodes verify_checksum;
    ToggleCodes transmit_checksum;
    ToggleCodes transmit_first_0;
    ToggleCodes length_mode;  // 1 is Max / Min, 0 Fixed
    int length_1 = 0;
    int length_2 = 0;
};

struct TwoOfFive {
    Symbology symbology;
    int symbology_box;  // its check box on the Symbology page, counted from the first
    Field start_stop_selection;
    Field verify_checksum;
    Field transmit_checksum;
    Field transmit_first_0;  // Field::count where it has none: Interleave 25 alone drops a 0
    LengthFields lengths;
    TwoOfFiveCodes codes;
};

inline constexpr TwoOfFive kTwoOfFive[] = {
    {Symbology::industrial_25,
     3,
     Field::industrial_25_start_stop_selection,
     Field::industrial_25_verify_checksum,
     Field::industrial_25_transmit_checksum,
     Field::count,
     length_fields::industrial_25,
     {{80, 81}, 130, {139, 140}, {141, 142}, {}, {208, 209}, 210, 211}},
    {Symbology::interleave_25,
     4,
     Field::interleave_25_start_stop_selection,
     Field::interleave_25_verify_checksum,
     Field::interleave_25_transmit_checksum,
     Field::interleave_25_transmit_first_0,
     length_fields::interleave_25,
     {{82, 83}, 133, {143, 144}, {145, 146}, {206, 205}, {212, 213}, 214, 215}},
    {Symbology::matrix_25,
     5,
     Field::matrix_25_start_stop_selection,
     Field::matrix_25_verify_checksum,
     Field::matrix_25_transmit_checksum,
     Field::count,
     length_fields::matrix_25,
     {{84, 85}, 136, {147, 148}, {149, 150}, {}, {216, 217}, 218, 219}},
};

// The row of a 2-of-5 symbology; null for any other.
constexpr const TwoOfFive* two_of_five(Symbology symbology) {
    const auto* found = std::ranges::find(kTwoOfFive, symbology, &TwoOfFive::symbology);
    return found == std::end(kTwoOfFive) ? nullptr : found;
}

}  // namespace tessmar
