// Reading key strings: their display text ("[Shift][A]"), the setup-code items that spell them on
// the configuration sheet, and the field tokens of an editing format's transmission sequence.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/edit_format_block.h"
#include "model/key_string_slot.h"
#include "model/program_state.h"

namespace tessmar {

// Modifier flags of a normal-key modifier byte (0xC0 plus a non-zero combination of these).
enum ModifierFlag : unsigned {
    kShift = 0x01,
    kLeftCtrl = 0x02,
    kLeftAlt = 0x04,
    kRightCtrl = 0x08,
    kRightAlt = 0x10,
    kBreak = 0x20,
};
inline constexpr unsigned kModifierFlagCount = 6;
inline constexpr std::uint8_t kScanCodeMarker = 0xC0;
inline constexpr std::uint8_t kFirstModifierByte = 0xC1;

enum class KeyStringForm { character, normal_key, scan_code };

// Character form with RS-232 and wand emulation; with a keyboard wedge, scan-code form when the
// first byte is 0xC0 and normal-key form otherwise.
KeyStringForm key_string_form(KeyString slot, InterfaceClass interface_class);

struct KeyStringRendering {
    std::string text;
    std::size_t length = 0;  // index of the terminator, at most the maximum byte count
    bool scan_code_form = false;
    unsigned modifiers = 0;  // union of the modifier flags met
};

KeyStringRendering render_key_string(KeyString slot, std::size_t max_bytes,
                                     InterfaceClass interface_class);

// The display text alone, with the ten-byte limit every caller uses.
std::string key_string_text(KeyString slot, InterfaceClass interface_class);

// The label of one code in each form (without brackets); codes no table covers, and codes whose
// table entry is empty, have none.
std::string_view character_label(std::uint8_t code);
std::string_view normal_key_label(std::uint8_t code);
std::string scan_code_label(std::uint8_t code);
// The label of a code in the given form's table.
std::string key_label(KeyStringForm form, std::uint8_t code);
// "[label]" as a string shows the code, or "[0xHH]" when the form's table has no label for it.
std::string bracketed_key_label(KeyStringForm form, std::uint8_t code);

// The display marker of one modifier flag, e.g. "[Shift]"; `flag_index` 0 to 5 in bit order.
std::string_view modifier_marker(unsigned flag_index);
// The markers of the set flags in bit order, e.g. "[Shift][LeftAlt]".
std::string modifier_markers(unsigned modifiers);

// The sheet's items that spell a key string, ending with "9994<Validate>".
std::vector<std::string> key_string_setup_items(KeyString slot, InterfaceClass interface_class);

// "[F1]" to "[F6]" for tokens 1 to 6, "[A1]" to "[A5]" for 7 to 11, "" otherwise.
std::string_view field_token_label(unsigned token);

// The labels of a transmission sequence's tokens, joined with nothing between them.
std::string render_transmission_sequence(
    std::span<const std::uint8_t, kTransmissionSequenceSize> sequence);

// The tokens one byte of a transmission sequence holds: a byte below 16 holds one, its value;
// a byte of 16 or more holds its high nibble and then, when non-zero, its low nibble.
struct SequenceByte {
    unsigned first = 0;
    unsigned second = 0;  // 0 when the byte holds one token
    bool packed = false;  // the byte holds its tokens in its nibbles
};
SequenceByte split_sequence_byte(std::uint8_t byte);

// The tokens of a transmission sequence in order: up to the first 0 byte, each byte split as
// above.
std::vector<unsigned> transmission_sequence_tokens(
    std::span<const std::uint8_t, kTransmissionSequenceSize> sequence);

// The sheet item of one field token ("9901<Field 1>", "9907<Additional Field 1>"); empty for
// the values that name no field, whose codes would mean something else to the scanner.
std::string field_token_setup_item(unsigned token);

}  // namespace tessmar
