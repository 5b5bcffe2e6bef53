#include "pages/editing_format_numbers.h"

#include "model/edit_format_block.h"
#include "pages/number_text.h"

namespace tessmar {

unsigned format_number_value(std::string_view text) {
    if (!parse_unsigned_decimal(text)) {
        return 0;
    }
    // Digit by digit modulo 2^16, so a number of any length keeps exactly its low 16 bits.
    unsigned value = 0;
    for (const char c : text) {
        value = (value * 10 + static_cast<unsigned>(c - '0')) & 0xFFFFu;
    }
    return value;
}

std::optional<unsigned> number_of_fields_minus_1(std::string_view text) {
    const auto fields = parse_unsigned_decimal(text);
    if (!fields || *fields < 1 || *fields > static_cast<unsigned long>(kMaxFields)) {
        return std::nullopt;
    }
    return static_cast<unsigned>(*fields - 1);
}

int enabled_field_buttons(std::string_view text) {
    const auto minus_1 = number_of_fields_minus_1(text);
    return minus_1 ? static_cast<int>(*minus_1) : 0;
}

}  // namespace tessmar
