// Views onto a 163-byte editing-format block and its 14-byte field dividers. A view does not own
// its bytes: it reads (and, for the mutable kind, writes) a block of the record or a staging copy.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

#include "model/key_string_slot.h"
#include "model/little_endian.h"

namespace tessmar {

inline constexpr std::size_t kEditFormatBlockSize = 163;
inline constexpr std::size_t kEditFormatBlockCount = 7;
// Formats 1 to 6 are shown and edited; the seventh block only travels with the record.
inline constexpr int kEditingFormats = 6;
inline constexpr int kMaxFields = 6;
inline constexpr int kFieldDividers = 5;
inline constexpr int kAdditionalFields = 5;
inline constexpr std::size_t kTransmissionSequenceSize = 15;
inline constexpr std::size_t kFieldDividerSize = 14;

using EditFormatBytes = std::array<std::uint8_t, kEditFormatBlockSize>;

// Where a block's values lie (the 16-bit numbers little-endian).
inline constexpr std::size_t kMaximumLengthOffset = 4;
inline constexpr std::size_t kMinimumLengthOffset = 6;
inline constexpr std::size_t kMatchingStringOffset = 8;
inline constexpr std::size_t kMatchingStringLocationOffset = 19;
inline constexpr std::size_t kTransmissionSequenceOffset = 146;
inline constexpr std::size_t kNumberOfFieldsOffset = 162;
// Divider f (1 to 5) and additional field a (1 to 5).
constexpr std::size_t field_divider_offset(int f) {
    return 21 + kFieldDividerSize * static_cast<std::size_t>(f - 1);
}
constexpr std::size_t additional_field_offset(int a) {
    return 91 + kKeyStringSize * static_cast<std::size_t>(a - 1);
}
// Within a divider.
inline constexpr std::size_t kFieldLengthOffset = 1;
inline constexpr std::size_t kTerminatingStringOffset = 3;

namespace detail {

template <class Byte>
constexpr bool kWritable = !std::is_const_v<Byte>;

}  // namespace detail

template <class Byte>
class BasicFieldDivider {
  public:
    explicit BasicFieldDivider(std::span<Byte, kFieldDividerSize> bytes) : bytes_(bytes) {}

    // 1 keeps the terminating string in the field ("Include"), 0 drops it ("Discard").
    unsigned include_terminating_string() const { return bytes_[0]; }
    // Non-zero: the field is this many characters long. Zero: it ends at the terminating string.
    unsigned field_length() const { return read_le16(bytes_, kFieldLengthOffset); }
    std::span<Byte, kKeyStringSize> terminating_string() const {
        return bytes_.template subspan<kTerminatingStringOffset, kKeyStringSize>();
    }

    void set_include_terminating_string(unsigned value) requires detail::kWritable<Byte> {
        bytes_[0] = static_cast<std::uint8_t>(value);
    }
    void set_field_length(unsigned value) requires detail::kWritable<Byte> {
        write_le16(bytes_, kFieldLengthOffset, value);
    }

  private:
    std::span<Byte, kFieldDividerSize> bytes_;
};

template <class Byte>
class BasicEditFormatBlock {
  public:
    explicit BasicEditFormatBlock(std::span<Byte, kEditFormatBlockSize> bytes) : bytes_(bytes) {}

    std::span<Byte, kEditFormatBlockSize> bytes() const { return bytes_; }

    // Bytes 0 to 3: which code types the format applies to. Bytes 0 to 2 have the bit layout of
    // record bytes 0 to 2; bit 0 of byte 3 is PDF 417.
    std::uint8_t applicable_code_types(int index) const {
        assert(index >= 0 && index < 4);
        return bytes_[static_cast<std::size_t>(index)];
    }
    unsigned maximum_length() const { return read_le16(bytes_, kMaximumLengthOffset); }
    unsigned minimum_length() const { return read_le16(bytes_, kMinimumLengthOffset); }
    std::span<Byte, kKeyStringSize> matching_string() const {
        return bytes_.template subspan<kMatchingStringOffset, kKeyStringSize>();
    }
    unsigned matching_string_location() const {
        return read_le16(bytes_, kMatchingStringLocationOffset);
    }
    // Divider f (1 to 5) cuts field f off from the rest of the data.
    BasicFieldDivider<Byte> field_divider(int f) const {
        assert(f >= 1 && f <= kFieldDividers);
        return BasicFieldDivider<Byte>(
            bytes_.subspan(field_divider_offset(f)).template first<kFieldDividerSize>());
    }
    // Additional field a (1 to 5).
    std::span<Byte, kKeyStringSize> additional_field(int a) const {
        assert(a >= 1 && a <= kAdditionalFields);
        return bytes_.subspan(additional_field_offset(a)).template first<kKeyStringSize>();
    }
    std::span<Byte, kTransmissionSequenceSize> transmission_sequence() const {
        return bytes_.template subspan<kTransmissionSequenceOffset, kTransmissionSequenceSize>();
    }
    unsigned number_of_fields_minus_1() const { return bytes_[kNumberOfFieldsOffset]; }

    void set_applicable_code_types(int index, std::uint8_t bits) requires detail::kWritable<Byte> {
        assert(index >= 0 && index < 4);
        bytes_[static_cast<std::size_t>(index)] = bits;
    }
    void set_maximum_length(unsigned value) requires detail::kWritable<Byte> {
        write_le16(bytes_, kMaximumLengthOffset, value);
    }
    void set_minimum_length(unsigned value) requires detail::kWritable<Byte> {
        write_le16(bytes_, kMinimumLengthOffset, value);
    }
    void set_matching_string_location(unsigned value) requires detail::kWritable<Byte> {
        write_le16(bytes_, kMatchingStringLocationOffset, value);
    }
    void set_number_of_fields_minus_1(unsigned value) requires detail::kWritable<Byte> {
        bytes_[kNumberOfFieldsOffset] = static_cast<std::uint8_t>(value);
    }

  private:
    std::span<Byte, kEditFormatBlockSize> bytes_;
};

using EditFormatBlock = BasicEditFormatBlock<std::uint8_t>;
using ConstEditFormatBlock = BasicEditFormatBlock<const std::uint8_t>;
using FieldDivider = BasicFieldDivider<std::uint8_t>;
using ConstFieldDivider = BasicFieldDivider<const std::uint8_t>;

// A block as the factory defaults and the Edit page's reset set it.
EditFormatBytes default_edit_format_block();

}  // namespace tessmar
