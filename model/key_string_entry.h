// Entering key strings and transmission sequences as text, as a settings file in text form holds
// them: the labels the summary tree shows, each in brackets ("[Shift][a][Enter]", "[F1][A2]").
// A printable character may also stand bare ("[Shift]aB"). Labels a table lacks are written
// "[0xHH]", as the tree shows them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/edit_format_block.h"
#include "model/key_string.h"

namespace tessmar {

// "character", "normal key", "scan code".
std::string_view key_string_form_name(KeyStringForm form);
std::optional<KeyStringForm> key_string_form_named(std::string_view name);

// The slot a text gives in a form, or why it cannot be entered: a label the form has no key for,
// a modifier outside the normal-key form, a code that would end the string early or read as
// something else, or more bytes than a slot holds.
struct KeyStringEntry {
    KeyStringBuffer bytes{};  // the keys and a terminating 0; every byte after it 0
    std::string error;        // empty when the text was entered
};
KeyStringEntry enter_key_string(std::string_view text, KeyStringForm form);

// A transmission sequence from its labels, one token a byte as the Transmission Sequence page
// writes them; the rest of the area 0.
struct SequenceEntry {
    std::array<std::uint8_t, kTransmissionSequenceSize> bytes{};
    std::string error;
};
SequenceEntry enter_transmission_sequence(std::string_view text);

}  // namespace tessmar
