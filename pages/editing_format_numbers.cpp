#include "pages/editing_format_numbers.h"

#include "model/edit_format_block.h"
#include "pages/number_text.h"

namespace tessmar {

unsigned format_number_value(std::string_view text) {
    return number_box_value(text, kMaxFormatNumber);
}

std::optional<unsigned> number_of_fields_minus_1(std::string_view text) {
    const unsigned fields = number_box_value(text, kMaxFields);
    if (fields < 1) {
        return std::nullopt;
    }
    return fields - 1;
}

int enabled_field_buttons(std::string_view text) {
    const auto minus_1 = number_of_fields_minus_1(text);
    return minus_1 ? static_cast<int>(*minus_1) : 0;
}

}  // namespace tessmar
