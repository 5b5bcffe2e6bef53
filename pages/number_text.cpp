#include "pages/number_text.h"

#include <limits>

namespace tessmar {

std::optional<unsigned long> parse_unsigned_decimal(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    constexpr unsigned long kLargest = std::numeric_limits<unsigned long>::max();
    unsigned long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const unsigned digit = static_cast<unsigned>(c - '0');
        value = value > (kLargest - digit) / 10 ? kLargest : value * 10 + digit;
    }
    return value;
}

bool number_text_needs_fallback(std::string_view text) {
    return !text.empty() && !parse_unsigned_decimal(text);
}

unsigned number_box_value(std::string_view text, unsigned max) {
    const unsigned long value = parse_unsigned_decimal(text).value_or(0);
    return value > max ? max : static_cast<unsigned>(value);
}

std::optional<unsigned> number_shown_on_leaving(std::string_view text, unsigned max) {
    const auto value = parse_unsigned_decimal(text);
    if (!value || *value <= max) {
        return std::nullopt;
    }
    return max;
}

}  // namespace tessmar
