// The named fields of the settings record's option and switch bytes. Each field is a run of bits
// inside one byte; `kFieldLayouts` says where, and every read and write goes through that table.
#pragma once

#include <cassert>
#include <cstdint>
#include <span>

namespace tessmar {

enum class Field : std::uint8_t {
    // byte 0
    enable_code_39,
    enable_italian_pharmacode,
    enable_french_pharmacode,
    enable_industrial_25,
    enable_interleave_25,
    enable_matrix_25,
    enable_codabar,
    enable_code_93,
    // byte 1
    enable_code_128,
    upce_no_addon,
    upce_addon_2,
    upce_addon_5,
    ean_8_no_addon,
    ean_8_addon_2,
    ean_8_addon_5,
    ean_13_no_addon,
    // byte 2
    ean_13_addon_2,
    ean_13_addon_5,
    enable_msi,
    enable_plessey,
    upca_no_addon,
    upca_addon_2,
    upca_addon_5,
    enable_ean_128,
    // byte 5
    code_39_transmit_start_stop,
    code_39_verify_checksum,
    code_39_transmit_checksum,
    code_39_full_ascii,
    italian_pharmacode_transmit_checksum,
    french_pharmacode_transmit_checksum,
    interleave_25_verify_checksum,
    interleave_25_transmit_checksum,
    // byte 6
    industrial_25_verify_checksum,
    industrial_25_transmit_checksum,
    matrix_25_verify_checksum,
    matrix_25_transmit_checksum,
    interleave_25_start_stop_selection,
    industrial_25_start_stop_selection,
    // byte 7
    matrix_25_start_stop_selection,
    codabar_start_stop_character,
    codabar_transmit_start_stop,
    upce_system_number,
    // byte 9
    msi_checksum_verification,
    msi_checksum_transmission,
    plessey_transmit_checksum,
    convert_to_uk_plessey,
    upce_convert_to_upca,
    upca_convert_to_ean_13,
    // byte 10
    isbn_conversion,
    issn_conversion,
    upce_transmit_checksum,
    upca_transmit_checksum,
    ean_8_transmit_checksum,
    ean_13_transmit_checksum,
    upce_transmit_system_number,
    upca_transmit_system_number,
    // byte 11
    ean_8_convert_to_ean_13,
    read_negative_barcode,
    read_redundancy,
    // bytes 12 to 19: length qualifications
    industrial_25_length_mode,
    industrial_25_length_1,
    industrial_25_length_2,
    interleave_25_length_mode,
    interleave_25_length_1,
    interleave_25_length_2,
    matrix_25_length_mode,
    matrix_25_length_1,
    matrix_25_length_2,
    msi_length_mode,
    msi_length_1,
    msi_length_2,
    // bytes 20 to 23
    scan_mode,
    scanner_timeout,
    keyboard_type,
    // byte 24
    capital_lock_auto_detection,
    capital_lock_state,
    alphabets_transmission,
    digits_layout,
    capital_lock_type,
    digits_transmission,
    // byte 25
    inter_character_delay,
    // byte 26
    flow_control,
    parity,
    data_bit,
    baud_rate,
    // byte 27
    memory_scanner,
    memory_scanner_data_delay,
    normal_state,
    bar_state,
    transmission_mode,
    // byte 28
    module_time,
    margin_time,
    // byte 29
    buzzer_frequency,
    alphabets_layout,
    disable_buzzer,
    alternate_composing,
    // byte 30
    laptop_support,
    transmit_buffer,
    delay_between_reread,
    codabar_clsi_conversion,
    interleave_25_transmit_first_0,
    // byte 31
    pdf417_block_delay,
    transmission_delay,
    // bytes 219 to 226: data-editing switches
    editing_exclusive,
    enable_editing_format_1,
    enable_editing_format_2,
    enable_editing_format_3,
    enable_editing_format_4,
    enable_editing_format_5,
    enable_editing_format_6,
    enable_editing_format_7,
    // bytes 227 to 229: length-code switches
    length_code_code_39,
    length_code_italian_pharmacode,
    length_code_french_pharmacode,
    length_code_industrial_25,
    length_code_interleave_25,
    length_code_matrix_25,
    length_code_codabar,
    length_code_code_93,
    length_code_code_128,
    length_code_upce,
    length_code_ean_8,
    length_code_ean_13,
    length_code_msi,
    length_code_plessey,
    length_code_upca,
    length_code_ean_128,
    length_code_pdf417,
    count
};

// Where a field lives: byte `offset`, bits `high_bit` down to `low_bit` (bit 7 is 0x80).
struct FieldLayout {
    Field field;
    std::uint16_t offset;
    std::uint8_t high_bit;
    std::uint8_t low_bit;

    constexpr unsigned width() const { return high_bit - low_bit + 1u; }
    // The field's bits within its byte.
    constexpr std::uint8_t mask() const {
        return static_cast<std::uint8_t>(((1u << width()) - 1u) << low_bit);
    }
    constexpr unsigned max_value() const { return (1u << width()) - 1u; }
};

const FieldLayout& field_layout(Field field);
std::span<const FieldLayout> all_field_layouts();

// The switch of editing format n (1 to 7).
constexpr Field enable_editing_format_field(int n) {
    assert(n >= 1 && n <= 7);
    return static_cast<Field>(static_cast<int>(Field::enable_editing_format_1) + n - 1);
}

}  // namespace tessmar
