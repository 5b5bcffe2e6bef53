// The pieces every part of the sheet is made of: a setup token "%04d<caption>", the digit tokens
// of a number, and the tokens that spell a key string.
#pragma once

#include <string>
#include <string_view>

#include "model/key_string_slot.h"
#include "model/program_state.h"

namespace tessmar {

inline constexpr std::string_view kValidateToken = "9994<Validate>";

// The code as four digits with leading zeros, then the caption in angle brackets.
std::string setup_token(unsigned code, std::string_view caption);

// The caption format with its "%s" replaced by `word`; a format without "%s" stays as it is.
std::string fill_caption(std::string_view format, std::string_view word);

// The caption format with its "%d" replaced by the number n: "Set %d" gives "Set 2".
std::string numbered_caption(std::string_view format, unsigned n);

// One token per decimal digit d of the value, most significant first (code 9900 + d, caption
// "0x0d"), then the validate token: 105 gives 9901<0x01>9900<0x00>9905<0x05>9994<Validate>.
std::string FormatNumberTokens(unsigned value);

// The setup items of the slot in the form `interface_class` gives it, one after another.
std::string key_string_tokens(KeyString slot, InterfaceClass interface_class);

}  // namespace tessmar
