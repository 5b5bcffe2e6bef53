// A key string lives in an 11-byte slot: up to ten code bytes and a terminating 0. Bytes after the
// first 0 are stale leftovers of an earlier, longer value; every reader stops at the terminator.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tessmar {

inline constexpr std::size_t kKeyStringSize = 11;
// Readers never look past this many bytes, so a slot with no terminator still ends.
inline constexpr std::size_t kKeyStringMaxBytes = 10;

using KeyString = std::span<const std::uint8_t, kKeyStringSize>;
using MutableKeyString = std::span<std::uint8_t, kKeyStringSize>;
// A page's staging copy of one key string.
using KeyStringBuffer = std::array<std::uint8_t, kKeyStringSize>;

// Index of the terminator within the first ten bytes, or 10 when there is none.
std::size_t key_string_length(KeyString slot);

inline bool key_string_empty(KeyString slot) {
    return slot[0] == 0;
}

// Copies up to and including the terminator, as every writer of a slot does: what stood behind
// the terminator in `to` stays there.
void copy_key_string(MutableKeyString to, KeyString from);

// Two slots hold the same string when their first ten bytes agree (the eleventh is never read).
bool key_strings_differ(KeyString a, KeyString b);

}  // namespace tessmar
