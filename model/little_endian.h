// The record's 16-bit numbers (an editing format's lengths, a field divider's length) are stored
// low byte first, whatever the machine.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessmar {

template <class Bytes>
unsigned read_le16(const Bytes& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8);
}

template <class Bytes>
void write_le16(Bytes& bytes, std::size_t at, unsigned value) {
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

}  // namespace tessmar
