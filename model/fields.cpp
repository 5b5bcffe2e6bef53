#include "model/fields.h"

#include <array>
#include <cassert>
#include <cstddef>

namespace tessmar {
namespace {

using F = Field;

// One row per field, in the order of the enumeration.
constexpr FieldLayout kFieldLayouts[] = {
    {F::enable_code_39, 0, 7, 7},
    {F::enable_italian_pharmacode, 0, 6, 6},
    {F::enable_french_pharmacode, 0, 5, 5},
    {F::enable_industrial_25, 0, 4, 4},
    {F::enable_interleave_25, 0, 3, 3},
    {F::enable_matrix_25, 0, 2, 2},
    {F::enable_codabar, 0, 1, 1},
    {F::enable_code_93, 0, 0, 0},

    {F::enable_code_128, 1, 7, 7},
    {F::upce_no_addon, 1, 6, 6},
    {F::upce_addon_2, 1, 5, 5},
    {F::upce_addon_5, 1, 4, 4},
    {F::ean_8_no_addon, 1, 3, 3},
    {F::ean_8_addon_2, 1, 2, 2},
    {F::ean_8_addon_5, 1, 1, 1},
    {F::ean_13_no_addon, 1, 0, 0},

    {F::ean_13_addon_2, 2, 7, 7},
    {F::ean_13_addon_5, 2, 6, 6},
    {F::enable_msi, 2, 5, 5},
    {F::enable_plessey, 2, 4, 4},
    {F::upca_no_addon, 2, 3, 3},
    {F::upca_addon_2, 2, 2, 2},
    {F::upca_addon_5, 2, 1, 1},
    {F::enable_ean_128, 2, 0, 0},

    {F::code_39_transmit_start_stop, 5, 7, 7},
    {F::code_39_verify_checksum, 5, 6, 6},
    {F::code_39_transmit_checksum, 5, 5, 5},
    {F::code_39_full_ascii, 5, 4, 4},
    {F::italian_pharmacode_transmit_checksum, 5, 3, 3},
    {F::french_pharmacode_transmit_checksum, 5, 2, 2},
    {F::interleave_25_verify_checksum, 5, 1, 1},
    {F::interleave_25_transmit_checksum, 5, 0, 0},

    {F::industrial_25_verify_checksum, 6, 7, 7},
    {F::industrial_25_transmit_checksum, 6, 6, 6},
    {F::matrix_25_verify_checksum, 6, 5, 5},
    {F::matrix_25_transmit_checksum, 6, 4, 4},
    {F::interleave_25_start_stop_selection, 6, 3, 2},
    {F::industrial_25_start_stop_selection, 6, 1, 0},

    {F::matrix_25_start_stop_selection, 7, 7, 6},
    {F::codabar_start_stop_character, 7, 5, 4},
    {F::codabar_transmit_start_stop, 7, 3, 3},
    {F::upce_system_number, 7, 2, 2},

    {F::msi_checksum_verification, 9, 7, 6},
    {F::msi_checksum_transmission, 9, 5, 4},
    {F::plessey_transmit_checksum, 9, 3, 3},
    {F::convert_to_uk_plessey, 9, 2, 2},
    {F::upce_convert_to_upca, 9, 1, 1},
    {F::upca_convert_to_ean_13, 9, 0, 0},

    {F::isbn_conversion, 10, 7, 7},
    {F::issn_conversion, 10, 6, 6},
    {F::upce_transmit_checksum, 10, 5, 5},
    {F::upca_transmit_checksum, 10, 4, 4},
    {F::ean_8_transmit_checksum, 10, 3, 3},
    {F::ean_13_transmit_checksum, 10, 2, 2},
    {F::upce_transmit_system_number, 10, 1, 1},
    {F::upca_transmit_system_number, 10, 0, 0},

    {F::ean_8_convert_to_ean_13, 11, 7, 7},
    {F::read_negative_barcode, 11, 4, 4},
    {F::read_redundancy, 11, 3, 2},

    {F::industrial_25_length_mode, 12, 7, 7},
    {F::industrial_25_length_1, 12, 6, 0},
    {F::industrial_25_length_2, 13, 7, 0},
    {F::interleave_25_length_mode, 14, 7, 7},
    {F::interleave_25_length_1, 14, 6, 0},
    {F::interleave_25_length_2, 15, 7, 0},
    {F::matrix_25_length_mode, 16, 7, 7},
    {F::matrix_25_length_1, 16, 6, 0},
    {F::matrix_25_length_2, 17, 7, 0},
    {F::msi_length_mode, 18, 7, 7},
    {F::msi_length_1, 18, 6, 0},
    {F::msi_length_2, 19, 7, 0},

    {F::scan_mode, 20, 7, 4},
    {F::scanner_timeout, 21, 7, 0},
    {F::keyboard_type, 23, 7, 0},

    {F::capital_lock_auto_detection, 24, 7, 7},
    {F::capital_lock_state, 24, 6, 6},
    {F::alphabets_transmission, 24, 5, 5},
    {F::digits_layout, 24, 4, 3},
    {F::capital_lock_type, 24, 2, 1},
    {F::digits_transmission, 24, 0, 0},

    {F::inter_character_delay, 25, 7, 0},

    {F::flow_control, 26, 7, 6},
    {F::parity, 26, 5, 4},
    {F::data_bit, 26, 3, 3},
    {F::baud_rate, 26, 2, 0},

    {F::memory_scanner, 27, 7, 7},
    {F::memory_scanner_data_delay, 27, 6, 4},
    {F::normal_state, 27, 3, 3},
    {F::bar_state, 27, 2, 2},
    {F::transmission_mode, 27, 1, 0},

    {F::module_time, 28, 7, 5},
    {F::margin_time, 28, 4, 2},

    {F::buzzer_frequency, 29, 5, 4},
    {F::alphabets_layout, 29, 3, 2},
    {F::disable_buzzer, 29, 1, 1},
    {F::alternate_composing, 29, 0, 0},

    {F::laptop_support, 30, 7, 7},
    {F::transmit_buffer, 30, 6, 6},
    {F::delay_between_reread, 30, 4, 2},
    {F::codabar_clsi_conversion, 30, 1, 1},
    {F::interleave_25_transmit_first_0, 30, 0, 0},

    {F::pdf417_block_delay, 31, 7, 5},
    {F::transmission_delay, 31, 2, 0},

    {F::editing_exclusive, 219, 7, 0},
    {F::enable_editing_format_1, 220, 7, 0},
    {F::enable_editing_format_2, 221, 7, 0},
    {F::enable_editing_format_3, 222, 7, 0},
    {F::enable_editing_format_4, 223, 7, 0},
    {F::enable_editing_format_5, 224, 7, 0},
    {F::enable_editing_format_6, 225, 7, 0},
    {F::enable_editing_format_7, 226, 7, 0},

    {F::length_code_code_39, 227, 0, 0},
    {F::length_code_italian_pharmacode, 227, 1, 1},
    {F::length_code_french_pharmacode, 227, 2, 2},
    {F::length_code_industrial_25, 227, 3, 3},
    {F::length_code_interleave_25, 227, 4, 4},
    {F::length_code_matrix_25, 227, 5, 5},
    {F::length_code_codabar, 227, 6, 6},
    {F::length_code_code_93, 227, 7, 7},
    {F::length_code_code_128, 228, 0, 0},
    {F::length_code_upce, 228, 1, 1},
    {F::length_code_ean_8, 228, 2, 2},
    {F::length_code_ean_13, 228, 3, 3},
    {F::length_code_msi, 228, 4, 4},
    {F::length_code_plessey, 228, 5, 5},
    {F::length_code_upca, 228, 6, 6},
    {F::length_code_ean_128, 228, 7, 7},
    {F::length_code_pdf417, 229, 0, 0},
};

constexpr bool rows_follow_the_enumeration() {
    if (std::size(kFieldLayouts) != static_cast<std::size_t>(Field::count)) {
        return false;
    }
    for (std::size_t i = 0; i < std::size(kFieldLayouts); ++i) {
        const FieldLayout& row = kFieldLayouts[i];
        if (static_cast<std::size_t>(row.field) != i || row.high_bit > 7 ||
            row.low_bit > row.high_bit) {
            return false;
        }
    }
    return true;
}
static_assert(rows_follow_the_enumeration(), "kFieldLayouts must list every Field in order");

}  // namespace

const FieldLayout& field_layout(Field field) {
    assert(field < Field::count);
    return kFieldLayouts[static_cast<std::size_t>(field)];
}

std::span<const FieldLayout> all_field_layouts() {
    return kFieldLayouts;
}

}  // namespace tessmar
