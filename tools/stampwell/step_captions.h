// The sheet's value codes and what a step sets. A setting's value follows its naming code as
// value codes: decimal digits for a number, two hexadecimal nibbles a byte for a key string (with
// the modifier and scan-code markers of a keyboard wedge), field codes for a transmission
// sequence; the Validate code ends it.
#pragma once

#include <optional>
#include <vector>

#include "model/program_state.h"
#include "tools/stampwell/sheet_parser.h"

namespace stampwell {

// Ends a setting's value: "9994<Validate>", or "9994<End>" after a transmission sequence.
inline constexpr int kValidateCode = 9994;

// The number of a four-digit setup code; longer and shorter codes (Enter Setup) have none, as no
// value code or interface code is among them.
std::optional<int> four_digit_code(const SetupCode& code);

// A nibble or digit (9900 to 9915), a modifier (9930 to 9935) or the scan-code marker (9936):
// codes that only ever stand after a naming code.
bool is_value_code(int code);

// The interface a key string is read in after `code` was scanned: the codes that choose an
// interface (RS-232, wand emulation, a keyboard type) and Restore Default Settings change it.
tessmar::InterfaceClass interface_after(const SetupCode& code, tessmar::InterfaceClass before);

// The interface of the factory settings, which every sheet restores before anything else.
tessmar::InterfaceClass factory_interface();

// What the step of `codes` sets, in words: its one caption for a step of one code, else
// "Caption: value" with the value read from its codes ("Scanner Timeout: 255", "Prefix Code:
// [Shift][A]", "Suffix Code: (none)"). Key strings are read in the form `interface` gives them; a
// value that does not read as its setting's kind shows its codes' own captions.
std::string step_caption(const std::vector<SetupCode>& codes, tessmar::InterfaceClass interface);

// The caption shown under code `index` of a step: its own, but for a number's digit, which shows
// as the digit ("3", not the sheet's "0x03", which is also the caption of a key string's nibble).
std::string code_caption(const std::vector<SetupCode>& codes, std::size_t index);

}  // namespace stampwell
