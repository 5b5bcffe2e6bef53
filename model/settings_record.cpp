#include "model/settings_record.h"

#include <cassert>

namespace tessmar {
namespace {

template <class Bytes>
auto slot_at(Bytes& bytes, std::size_t offset) {
    assert(offset + kKeyStringSize <= kRecordSize);
    return std::span(bytes).subspan(offset).template first<kKeyStringSize>();
}

}  // namespace

unsigned SettingsRecord::get(Field field) const {
    return get(field_layout(field));
}

void SettingsRecord::set(Field field, unsigned value) {
    set(field_layout(field), value);
}

unsigned SettingsRecord::get(const FieldLayout& layout) const {
    return (bytes[layout.offset] & layout.mask()) >> layout.low_bit;
}

void SettingsRecord::set(const FieldLayout& layout, unsigned value) {
    const unsigned kept = bytes[layout.offset] & ~layout.mask() & 0xFFu;
    const unsigned placed = (value << layout.low_bit) & layout.mask();
    bytes[layout.offset] = static_cast<std::uint8_t>(kept | placed);
}

std::size_t edit_format_offset(int k) {
    assert(k >= 0 && k < static_cast<int>(kEditFormatBlockCount));
    return kEditFormatBlocksOffset + kEditFormatBlockSize * static_cast<std::size_t>(k);
}

KeyString SettingsRecord::key_string(KeySlot slot) const {
    return slot_at(bytes, offset_of(slot));
}
MutableKeyString SettingsRecord::key_string(KeySlot slot) {
    return slot_at(bytes, offset_of(slot));
}

KeyString SettingsRecord::string_to_be_replaced(int n) const {
    return slot_at(bytes, string_to_be_replaced_offset(n));
}
MutableKeyString SettingsRecord::string_to_be_replaced(int n) {
    return slot_at(bytes, string_to_be_replaced_offset(n));
}

KeyString SettingsRecord::replaced_by(int n) const {
    return slot_at(bytes, replaced_by_offset(n));
}
MutableKeyString SettingsRecord::replaced_by(int n) {
    return slot_at(bytes, replaced_by_offset(n));
}

ConstEditFormatBlock SettingsRecord::edit_format(int k) const {
    return ConstEditFormatBlock(
        std::span(bytes).subspan(edit_format_offset(k)).first<kEditFormatBlockSize>());
}
EditFormatBlock SettingsRecord::edit_format(int k) {
    return EditFormatBlock(
        std::span(bytes).subspan(edit_format_offset(k)).first<kEditFormatBlockSize>());
}

}  // namespace tessmar
