// The scanner's complete configuration: 1562 bytes whose layout is at once the settings-file
// format and the payload of the serial link, so every offset and bit here is fixed.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/edit_format_block.h"
#include "model/fields.h"
#include "model/key_string_slot.h"

namespace tessmar {

inline constexpr std::size_t kRecordSize = 1562;
inline constexpr std::size_t kEditFormatBlocksOffset = 417;
inline constexpr int kSubstitutions = 6;
inline constexpr int kCodeIds = 16;

// The key-string slots that stand alone; the indexed ones (substitutions, code IDs) have
// functions of their own below.
enum class KeySlot : std::uint16_t {
    field_separator = 164,
    prefix_code = 175,
    suffix_code = 186,
    pdf417_prefix_code = 197,
    pdf417_suffix_code = 208,
    code_id_code_39 = 230,
    code_id_italian_pharmacode = 241,
    code_id_french_pharmacode = 252,
    code_id_industrial_25 = 263,
    code_id_interleave_25 = 274,
    code_id_matrix_25 = 285,
    code_id_codabar = 296,
    code_id_code_93 = 307,
    code_id_code_128 = 318,
    code_id_upce = 329,
    code_id_ean_8 = 340,
    code_id_ean_13 = 351,
    code_id_msi = 362,
    code_id_plessey = 373,
    code_id_upca = 384,
    code_id_pdf417 = 395,
    pdf417_escape_character = 406,
};

struct SettingsRecord {
    std::array<std::uint8_t, kRecordSize> bytes{};

    unsigned get(Field field) const;
    // Read-modify-write: only the field's own bits change. The value is cut to the field's width.
    void set(Field field, unsigned value);
    // The same for bits that no Field names (an editing format's code-type bits).
    unsigned get(const FieldLayout& bits) const;
    void set(const FieldLayout& bits, unsigned value);

    KeyString key_string(KeySlot slot) const;
    MutableKeyString key_string(KeySlot slot);
    // Data substitution n (1 to 6).
    KeyString string_to_be_replaced(int n) const;
    MutableKeyString string_to_be_replaced(int n);
    KeyString replaced_by(int n) const;
    MutableKeyString replaced_by(int n);

    // Block k (0 to 6); editing format n is block n - 1.
    ConstEditFormatBlock edit_format(int k) const;
    EditFormatBlock edit_format(int k);

    friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;
};

// The byte offset of a key-string slot.
constexpr std::size_t offset_of(KeySlot slot) {
    return static_cast<std::size_t>(slot);
}
// Data substitution n (1 to 6): the twelve slots lie back to back, the strings to be replaced
// first.
constexpr std::size_t string_to_be_replaced_offset(int n) {
    assert(n >= 1 && n <= kSubstitutions);
    return 32 + kKeyStringSize * static_cast<std::size_t>(n - 1);
}
constexpr std::size_t replaced_by_offset(int n) {
    assert(n >= 1 && n <= kSubstitutions);
    return 98 + kKeyStringSize * static_cast<std::size_t>(n - 1);
}
std::size_t edit_format_offset(int k);

}  // namespace tessmar
