#include "model/key_string.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

namespace tessmar {
namespace {

constexpr const char* kControlCharacterLabels[32] = {
    "",    "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US",
};

constexpr const char* kControlKeyLabels[32] = {
    "",      "Insert", "Delete", "Home", "End", "Up",  "Down", "Left", "BS", "HT", "LF",
    "Right", "PgUp",   "Enter",  "PgDn", "F1",  "F2",  "F3",   "F4",   "F5", "F6", "F7",
    "F8",    "F9",     "F10",    "F11",  "F12", "ESC", "Exec", "Send", "",   "",
};

constexpr const char* kKeypadKeyLabels[] = {"0*", "1*", "2*", "3*", "4*",
                                            "5*", "6*", "7*", "8*", "9*"};
constexpr std::uint8_t kFirstKeypadKey = 0x80;

constexpr const char* kModifierMarkers[kModifierFlagCount] = {
    "[Shift]", "[LeftCtrl]", "[LeftAlt]", "[RightCtrl]", "[RightAlt]", "[Break]",
};

constexpr const char* kModifierSetupItems[kModifierFlagCount] = {
    "9930<Add Shift>",       "9931<Add Control (L)>",   "9932<Add Alternate (L)>",
    "9933<Add Control (R)>", "9934<Add Alternate (R)>", "9935<Add Break>",
};

constexpr const char* kFieldTokenLabels[] = {
    "", "[F1]", "[F2]", "[F3]", "[F4]", "[F5]", "[F6]", "[A1]", "[A2]", "[A3]", "[A4]", "[A5]",
};
constexpr unsigned kFirstAdditionalFieldToken = 7;

constexpr const char* kScanCodeItem = "9936<Scan Code>";
constexpr const char* kValidateItem = "9994<Validate>";

// Each printable ASCII character stands at its own index, so a label can point into the table.
constexpr std::array<char, 128> make_ascii_table() {
    std::array<char, 128> table{};
    for (std::size_t c = 0; c < table.size(); ++c) {
        table[c] = static_cast<char>(c);
    }
    return table;
}
constexpr std::array<char, 128> kAscii = make_ascii_table();

bool is_printable(std::uint8_t code) {
    return code > 0x20 && code < 0x7F;
}

std::string_view printable_label(std::uint8_t code) {
    return {&kAscii[code], 1};
}

// One key as decoded from a slot: the modifier flags that precede it and its code. A modifier
// byte right before the terminator carries flags and no code.
struct DecodedKey {
    unsigned modifiers = 0;
    std::optional<std::uint8_t> code;
};

struct DecodedString {
    KeyStringForm form = KeyStringForm::character;
    std::vector<DecodedKey> keys;
};

std::vector<DecodedKey> decode_characters(KeyString slot, std::size_t max_bytes) {
    std::vector<DecodedKey> keys;
    for (std::size_t i = 0; i < max_bytes && slot[i] != 0; ++i) {
        keys.push_back({0, slot[i]});
    }
    return keys;
}

// Pairs of 0xC0 and a scan code; the string ends at a 0 on either position of a pair.
std::vector<DecodedKey> decode_scan_codes(KeyString slot, std::size_t max_bytes) {
    std::vector<DecodedKey> keys;
    for (std::size_t pair = 0; pair < max_bytes; pair += 2) {
        if (slot[pair] == 0 || slot[pair + 1] == 0) {
            break;
        }
        keys.push_back({0, slot[pair + 1]});
    }
    return keys;
}

std::vector<DecodedKey> decode_normal_keys(KeyString slot, std::size_t max_bytes) {
    std::vector<DecodedKey> keys;
    std::size_t i = 0;
    while (i < max_bytes && slot[i] != 0) {
        DecodedKey key;
        if (slot[i] >= kFirstModifierByte) {
            key.modifiers = slot[i] - kScanCodeMarker;
            ++i;
            // The key of a modifier byte must lie within the string's bytes, like every other.
            if (i >= max_bytes || slot[i] == 0) {
                keys.push_back(key);
                break;
            }
        }
        key.code = slot[i++];
        keys.push_back(key);
    }
    return keys;
}

DecodedString decode_key_string(KeyString slot, std::size_t max_bytes,
                                InterfaceClass interface_class) {
    // Scan-code pairs start at even offsets below the limit, so their codes stay inside the slot.
    max_bytes = std::min(max_bytes, kKeyStringMaxBytes);
    DecodedString decoded;
    decoded.form = key_string_form(slot, interface_class);
    switch (decoded.form) {
        case KeyStringForm::character:
            decoded.keys = decode_characters(slot, max_bytes);
            break;
        case KeyStringForm::scan_code:
            decoded.keys = decode_scan_codes(slot, max_bytes);
            break;
        case KeyStringForm::normal_key:
            decoded.keys = decode_normal_keys(slot, max_bytes);
            break;
    }
    return decoded;
}

std::string hex_label(std::uint8_t code) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}

std::string nibble_item(unsigned nibble) {
    char item[16];
    std::snprintf(item, sizeof item, "%04u<0x0%X>", 9900 + nibble, nibble);
    return item;
}

void append_byte_items(std::vector<std::string>& items, std::uint8_t code) {
    items.push_back(nibble_item(code >> 4));
    items.push_back(nibble_item(code & 0x0F));
}

}  // namespace

KeyStringForm key_string_form(KeyString slot, InterfaceClass interface_class) {
    if (interface_class != InterfaceClass::keyboard_wedge) {
        return KeyStringForm::character;
    }
    return slot[0] == kScanCodeMarker ? KeyStringForm::scan_code : KeyStringForm::normal_key;
}

std::string_view character_label(std::uint8_t code) {
    if (code < std::size(kControlCharacterLabels)) {
        return kControlCharacterLabels[code];
    }
    if (code == 0x20) {
        return "Space";
    }
    if (is_printable(code)) {
        return printable_label(code);
    }
    return code == 0x7F ? "DEL" : "";
}

std::string_view normal_key_label(std::uint8_t code) {
    if (code < std::size(kControlKeyLabels)) {
        return kControlKeyLabels[code];
    }
    if (code == 0x20) {
        return "Space";
    }
    if (is_printable(code)) {
        return printable_label(code);
    }
    if (code == 0x7F) {
        return "Delay";
    }
    if (code >= kFirstKeypadKey && code < kFirstKeypadKey + std::size(kKeypadKeyLabels)) {
        return kKeypadKeyLabels[code - kFirstKeypadKey];
    }
    return "";
}

std::string scan_code_label(std::uint8_t code) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", code);
    return text;
}

std::string key_label(KeyStringForm form, std::uint8_t code) {
    switch (form) {
        case KeyStringForm::character:
            return std::string(character_label(code));
        case KeyStringForm::normal_key:
            return std::string(normal_key_label(code));
        case KeyStringForm::scan_code:
            return scan_code_label(code);
    }
    return {};
}

std::string bracketed_key_label(KeyStringForm form, std::uint8_t code) {
    std::string label = key_label(form, code);
    if (label.empty()) {
        label = hex_label(code);
    }
    return "[" + label + "]";
}

std::string_view modifier_marker(unsigned flag_index) {
    return flag_index < kModifierFlagCount ? kModifierMarkers[flag_index] : "";
}

std::string modifier_markers(unsigned modifiers) {
    std::string markers;
    for (unsigned flag = 0; flag < kModifierFlagCount; ++flag) {
        if (modifiers & (1u << flag)) {
            markers += kModifierMarkers[flag];
        }
    }
    return markers;
}

KeyStringRendering render_key_string(KeyString slot, std::size_t max_bytes,
                                     InterfaceClass interface_class) {
    const DecodedString decoded = decode_key_string(slot, max_bytes, interface_class);
    KeyStringRendering result;
    for (const DecodedKey& key : decoded.keys) {
        result.text += modifier_markers(key.modifiers);
        result.modifiers |= key.modifiers;
        if (key.code) {
            result.text += bracketed_key_label(decoded.form, *key.code);
        }
    }
    const auto counted = slot.first(std::min(max_bytes, kKeyStringMaxBytes));
    result.length =
        static_cast<std::size_t>(std::find(counted.begin(), counted.end(), 0) - counted.begin());
    result.scan_code_form = decoded.form == KeyStringForm::scan_code;
    return result;
}

std::string key_string_text(KeyString slot, InterfaceClass interface_class) {
    return render_key_string(slot, kKeyStringMaxBytes, interface_class).text;
}

std::vector<std::string> key_string_setup_items(KeyString slot, InterfaceClass interface_class) {
    const DecodedString decoded = decode_key_string(slot, kKeyStringMaxBytes, interface_class);
    std::vector<std::string> items;
    if (decoded.form == KeyStringForm::scan_code) {
        items.push_back(kScanCodeItem);
    }
    for (const DecodedKey& key : decoded.keys) {
        for (unsigned flag = 0; flag < kModifierFlagCount; ++flag) {
            if (key.modifiers & (1u << flag)) {
                items.push_back(kModifierSetupItems[flag]);
            }
        }
        if (key.code) {
            append_byte_items(items, *key.code);
        }
    }
    items.push_back(kValidateItem);
    return items;
}

std::string_view field_token_label(unsigned token) {
    return token < std::size(kFieldTokenLabels) ? kFieldTokenLabels[token] : "";
}

SequenceByte split_sequence_byte(std::uint8_t byte) {
    if (byte < 16) {
        return {byte, 0, false};
    }
    return {static_cast<unsigned>(byte >> 4), byte & 0x0Fu, true};
}

std::vector<unsigned> transmission_sequence_tokens(
    std::span<const std::uint8_t, kTransmissionSequenceSize> sequence) {
    std::vector<unsigned> tokens;
    for (const std::uint8_t byte : sequence) {
        if (byte == 0) {
            break;
        }
        const SequenceByte split = split_sequence_byte(byte);
        tokens.push_back(split.first);
        if (split.second != 0) {
            tokens.push_back(split.second);
        }
    }
    return tokens;
}

std::string render_transmission_sequence(
    std::span<const std::uint8_t, kTransmissionSequenceSize> sequence) {
    std::string text;
    for (const unsigned token : transmission_sequence_tokens(sequence)) {
        text += field_token_label(token);
    }
    return text;
}

std::string field_token_setup_item(unsigned token) {
    if (field_token_label(token).empty()) {
        return {};
    }
    char item[40];
    if (token < kFirstAdditionalFieldToken) {
        std::snprintf(item, sizeof item, "%04u<Field %u>", 9900 + token, token);
    } else {
        std::snprintf(item, sizeof item, "%04u<Additional Field %u>", 9900 + token,
                      token - kFirstAdditionalFieldToken + 1);
    }
    return item;
}

}  // namespace tessmar
