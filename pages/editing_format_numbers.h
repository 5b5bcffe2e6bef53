// The numbers typed on the editing-format pages, apart from their windows. Nothing is corrected
// while the user types; OK turns the text into what the block stores.
#pragma once

#include <optional>
#include <string_view>

namespace tessmar {

// The largest 16-bit number of a format block.
inline constexpr unsigned kMaxFormatNumber = 0xFFFF;

// A 16-bit number of a format block (a length, a location): the number typed, at most
// kMaxFormatNumber; 0 when the text is not a number.
unsigned format_number_value(std::string_view text);

// What "Number of Fields :" stores: the number less one, a number above 6 counting as 6 (as its
// box shows once left); none for 0 or text that is no number, and the block keeps its value.
std::optional<unsigned> number_of_fields_minus_1(std::string_view text);

// How many of the buttons "Field 1" to "Field 5" a typed number of fields enables: one for each
// field but the last, which takes the rest of the data; none for fewer than 2 fields.
int enabled_field_buttons(std::string_view text);

}  // namespace tessmar
