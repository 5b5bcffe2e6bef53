#include "model/key_string_slot.h"

#include <algorithm>

namespace tessmar {

std::size_t key_string_length(KeyString slot) {
    const auto first = slot.first<kKeyStringMaxBytes>();
    return static_cast<std::size_t>(std::find(first.begin(), first.end(), 0) - first.begin());
}

void copy_key_string(MutableKeyString to, KeyString from) {
    const std::size_t length = key_string_length(from);
    std::copy_n(from.begin(), length, to.begin());
    // A full ten-byte string has no terminator of its own within the first ten bytes.
    to[length] = 0;
}

bool key_strings_differ(KeyString a, KeyString b) {
    return !std::equal(a.begin(), a.begin() + kKeyStringMaxBytes, b.begin());
}

}  // namespace tessmar
