// A settings fingerprint names a set of settings in a form short enough to read off a sheet, a
// status bar or a terminal: the first 32 bits of the SHA-256 of the record's bytes, written as
// eight uppercase hexadecimal digits in two groups, "1A2B-3C4D". It is printed on paper, so its
// form never changes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessmar {

using Sha256Digest = std::array<std::uint8_t, 32>;

Sha256Digest sha256(std::span<const std::uint8_t> bytes);

// The fingerprint of a whole record (or of any bytes, for a file of another size).
std::string settings_fingerprint(std::span<const std::uint8_t> bytes);

// Whether `text` has a fingerprint's form.
bool is_settings_fingerprint(std::string_view text);

}  // namespace tessmar
