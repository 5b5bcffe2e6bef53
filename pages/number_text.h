// The rules of the pages' numeric edit boxes. They take digits only as typed, but pasted text may
// be anything, and is corrected on the fly.
#pragma once

#include <optional>
#include <string_view>

namespace tessmar {

// The value of text made of decimal digits only; none for anything else, the empty text
// included. Numbers too large for an unsigned long read as its largest value.
std::optional<unsigned long> parse_unsigned_decimal(std::string_view text);

// Whether the box must replace its text by its fallback number: the text is neither empty nor
// a number. An empty box is left alone while the user types.
bool number_text_needs_fallback(std::string_view text);

// What a box commits: its number, 0 when it is empty or unreadable, and `max` when the number
// is larger than the field can hold.
unsigned number_box_value(std::string_view text, unsigned max);

// What a box shows once the user leaves it, where that differs from the text: a number above
// `max` becomes `max`, so the box shows what OK stores. None when the text stays as it is.
std::optional<unsigned> number_shown_on_leaving(std::string_view text, unsigned max);

}  // namespace tessmar
