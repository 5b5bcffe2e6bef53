// Whether a key string means what its bytes were entered as in the form its interface reads it
// in. The bytes stay as they are when the interface changes; what they mean does not always: a
// modifier or a scan code read as characters is a byte no host expects, and a control character
// that no key gives is lost on a keyboard wedge. A change of name alone ([Enter] and [CR] are
// both 0x0D) keeps the meaning.
#pragma once

#include <string>
#include <vector>

#include "model/program_state.h"

namespace tessmar {

// Every key of the string is one the key grid gives in the string's form under `interface_class`.
bool key_string_fits(KeyString slot, InterfaceClass interface_class);

// A key string of the record, named for a person ("Prefix Code", "Editing Format 2 Matching
// String"), and its text in two interfaces.
struct KeyStringReading {
    std::string name;
    std::string before;
    std::string after;
};

// The non-empty key strings of `record` that fit `from` and lose their meaning under `to`.
std::vector<KeyStringReading> key_strings_losing_meaning(const SettingsRecord& record,
                                                         InterfaceClass from, InterfaceClass to);

// The non-empty key strings of `record` that do not fit `interface_class` (`after` is empty).
std::vector<KeyStringReading> key_strings_not_fitting(const SettingsRecord& record,
                                                      InterfaceClass interface_class);

// "Prefix Code: [Shift][A] becomes [0xC1][A]", one line each.
std::string describe_changes(const std::vector<KeyStringReading>& changes);

}  // namespace tessmar
