// The rules of a length qualification's two number boxes (Industrial 25, Interleave 25,
// Matrix 25, MSI): what their text stands for while the user types, and what OK stores.
#pragma once

#include <string_view>

namespace tessmar {

// The first length is seven bits wide.
inline constexpr unsigned kMaxFirstLength = 127;

enum class LengthBox { first, second };

// The number that replaces a box's text when that text is neither empty nor a number: "127" in
// the first box, "1" in the second.
const char* length_box_fallback(LengthBox box);

// The pending length the box's text stands for: its number, the first length at most 127 (the
// text itself stays as typed); empty or unreadable text stands for the box's fallback.
unsigned long pending_length(LengthBox box, std::string_view text);

struct Lengths {
    unsigned first;
    unsigned second;
};

// What OK stores of the two pending lengths: 1 <= second <= first <= 127. In "Max / Min Length"
// mode a second above the first becomes the first. In "Fixed Length" mode the two are equals,
// either one may be read: the larger is stored first, so neither is lost.
Lengths committed_lengths(unsigned long first, unsigned long second, bool max_min_mode);

struct LengthLabels {
    const char* first;
    const char* second;
};

// The labels of the two boxes, which follow the mode.
LengthLabels length_labels(bool max_min_mode);

}  // namespace tessmar
