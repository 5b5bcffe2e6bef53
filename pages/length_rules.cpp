#include "pages/length_rules.h"

#include <algorithm>
#include <utility>

#include "pages/number_text.h"

namespace tessmar {

const char* length_box_fallback(LengthBox box) {
    return box == LengthBox::first ? "127" : "1";
}

unsigned long pending_length(LengthBox box, std::string_view text) {
    const auto number = parse_unsigned_decimal(text);
    if (box == LengthBox::second) {
        return number.value_or(1);
    }
    return number ? std::min<unsigned long>(*number, kMaxFirstLength) : kMaxFirstLength;
}

Lengths committed_lengths(unsigned long first, unsigned long second, bool max_min_mode) {
    if (!max_min_mode && second > first) {
        std::swap(first, second);
    }
    const auto stored_first =
        static_cast<unsigned>(std::clamp<unsigned long>(first, 1, kMaxFirstLength));
    const auto stored_second =
        static_cast<unsigned>(std::clamp<unsigned long>(second, 1, stored_first));
    return {stored_first, stored_second};
}

LengthLabels length_labels(bool max_min_mode) {
    if (max_min_mode) {
        return {"Max Len&gth :", "M&in Length :"};
    }
    // The same access keys in either mode: the labels stand where the others stood.
    return {"Fixed Len&gth 1:", "F&ixed Length 2:"};
}

}  // namespace tessmar
