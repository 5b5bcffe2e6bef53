// The texts with which the summary tree names each value of a multi-bit field, looked up by the
// raw stored value. Records from files and from the scanner may hold values no list covers.
#pragma once

#include <span>
#include <string>

namespace tessmar {

using TextList = std::span<const char* const>;

namespace texts {
extern const TextList enable_disable;
extern const TextList off_on;
extern const TextList start_stop_selection;
extern const TextList scan_mode;
extern const TextList read_redundancy;
extern const TextList delay_between_reread;
extern const TextList transmission_delay;
extern const TextList memory_scanner_data_delay;
extern const TextList transmission_mode;
extern const TextList baud_rate;
extern const TextList parity;
extern const TextList data_bit;
extern const TextList flow_control;
extern const TextList margin_time;
extern const TextList module_time;
extern const TextList wand_state;
extern const TextList pdf417_block_delay;
extern const TextList alphabets_transmission;
extern const TextList capital_lock_type;  // by display index
extern const TextList alphabets_layout;
extern const TextList digits_transmission;
extern const TextList digits_layout;  // by display index
extern const TextList codabar_start_stop_character;
extern const TextList upce_system_number;
extern const TextList msi_checksum_verification;
extern const TextList msi_checksum_transmission;
extern const TextList terminating_string;
// Keyboard type n (1 to 28) is entry n - 1.
extern const TextList keyboard_types;
}  // namespace texts

// The buzzer frequency in kHz as one character, '8', '4', '2' or '1'; 0 for other values.
char buzzer_frequency_digit(unsigned value);

// The list's text for `value`, or "Unknown (N)" when the list has none.
std::string value_text(TextList list, unsigned value);

// The name of keyboard type n (1 to 28), or "Unknown (N)".
std::string keyboard_type_name(unsigned keyboard_type);

// Capital lock type and digits layout store 0, 2 and 3 for their three items; a stored 1 (never
// written by the editors) reads as "Normal" here.
unsigned display_index_of_layout_value(unsigned stored);

}  // namespace tessmar
