#include <algorithm>

#include "model/program_state.h"

namespace tessmar {
namespace {

// Record bytes 0 to 31 as they leave the factory.
constexpr std::array<std::uint8_t, 32> kFactoryOptionBytes = {
    0x9B, 0xC9, 0x08, 0x00, 0x00, 0x2D, 0x54, 0x80, 0x00, 0x09, 0x3D, 0x00, 0xFF, 0x04, 0xFE, 0x04,
    0xFF, 0x04, 0xFF, 0x04, 0x60, 0x0A, 0x00, 0x01, 0x00, 0x00, 0x0A, 0x04, 0x48, 0x10, 0x05, 0x60,
};

struct FactoryKey {
    KeySlot slot;
    std::uint8_t code;
};

// The only key strings that are not empty at the factory: one key each.
constexpr FactoryKey kFactoryKeys[] = {
    {KeySlot::field_separator, 29},          // GS
    {KeySlot::suffix_code, 13},              // CR
    {KeySlot::pdf417_suffix_code, 13},       // CR
    {KeySlot::pdf417_escape_character, 92},  // backslash
};

template <class Blocks>
void copy_edit_format_blocks(const SettingsRecord& from, Blocks& to) {
    for (std::size_t k = 0; k < kEditFormatBlockCount; ++k) {
        const auto block = from.edit_format(static_cast<int>(k)).bytes();
        std::copy(block.begin(), block.end(), to[k].begin());
    }
}

}  // namespace

EditFormatBytes default_edit_format_block() {
    EditFormatBytes bytes{};
    EditFormatBlock block(bytes);
    for (int i = 0; i < 4; ++i) {
        block.set_applicable_code_types(i, 0xFF);
    }
    block.set_maximum_length(9999);
    block.set_minimum_length(1);
    for (int f = 1; f <= kFieldDividers; ++f) {
        block.field_divider(f).set_include_terminating_string(1);
    }
    block.transmission_sequence()[0] = 1;  // [F1]
    return bytes;
}

InterfaceClass derive_interface_class(unsigned keyboard_type) {
    switch (keyboard_type) {
        case kKeyboardTypeRs232:
            return InterfaceClass::rs232;
        case kKeyboardTypeWand:
            return InterfaceClass::wand_emulation;
        default:
            return InterfaceClass::keyboard_wedge;
    }
}

SettingsRecord factory_record() {
    SettingsRecord record;
    std::copy(kFactoryOptionBytes.begin(), kFactoryOptionBytes.end(), record.bytes.begin());
    for (const FactoryKey& key : kFactoryKeys) {
        record.key_string(key.slot)[0] = key.code;
    }
    const EditFormatBytes block = default_edit_format_block();
    for (std::size_t k = 0; k < kEditFormatBlockCount; ++k) {
        std::copy(block.begin(), block.end(),
                  record.edit_format(static_cast<int>(k)).bytes().begin());
    }
    return record;
}

void load_factory_defaults(ProgramState& state) {
    state.record = factory_record();
    copy_edit_format_blocks(state.record, state.ef_staging);
    state.defaults_snapshot = state.record;
    copy_edit_format_blocks(state.defaults_snapshot, state.default_edit_formats);
    state.code_id_origin.fill(0);
    state.code_id_set = 0;
    state.interface_class = derive_interface_class(state.record.get(Field::keyboard_type));
}

void load_settings_bytes(ProgramState& state, std::span<const std::uint8_t> bytes) {
    const std::size_t count = std::min(bytes.size(), kRecordSize);
    std::copy_n(bytes.begin(), count, state.record.bytes.begin());
    state.interface_class = derive_interface_class(state.record.get(Field::keyboard_type));
}

}  // namespace tessmar
