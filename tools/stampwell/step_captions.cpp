#include "tools/stampwell/step_captions.h"

#include <algorithm>

#include "model/key_string.h"
#include "model/settings_record.h"

namespace stampwell {
namespace {

using tessmar::InterfaceClass;
using tessmar::KeyStringForm;

constexpr int kFirstNibbleCode = 9900;  // 9900 + n spells the digit or nibble n
constexpr int kLastNibbleCode = 9915;
constexpr int kLastDigitCode = 9909;
constexpr int kFirstModifierCode = 9930;  // Add Shift; the flags follow in bit order
constexpr int kLastModifierCode = 9935;   // Add Break
constexpr int kScanCodeCode = 9936;
constexpr int kRestoreDefaultsCode = 9993;
// Total Fields: the code is 578 plus the number of fields less one.
constexpr int kFirstTotalFieldsCode = 578;
constexpr int kLastTotalFieldsCode = 583;

enum class ValueKind { key_string, number, keyboard_type, transmission_sequence };

struct NamedValue {
    int code;
    ValueKind kind;
};

// The settings whose value codes spell something other than a key string; every other setting
// followed by value codes holds a key string.
constexpr NamedValue kValueKinds[] = {
    {0, ValueKind::keyboard_type},  // the caption names the keyboard, the digits its type
    {15, ValueKind::number},        // Inter-Character Delay
    {207, ValueKind::number},       // Scanner Timeout
    {210, ValueKind::number},       // the lengths of Industrial 25, Interleave 25, Matrix 25, MSI
    {211, ValueKind::number},
    {214, ValueKind::number},
    {215, ValueKind::number},
    {218, ValueKind::number},
    {219, ValueKind::number},
    {222, ValueKind::number},
    {223, ValueKind::number},
    {548, ValueKind::number},  // an editing format's Max Length, Min Length, M.String Location
    {549, ValueKind::number},
    {551, ValueKind::number},
    {554, ValueKind::number},  // Field 1 Length to Field 5 Length
    {558, ValueKind::number},
    {562, ValueKind::number},
    {566, ValueKind::number},
    {570, ValueKind::number},
    {577, ValueKind::transmission_sequence},  // Start
};

struct InterfaceCode {
    int code;
    InterfaceClass interface_class;
};

constexpr InterfaceCode kInterfaceCodes[] = {
    {0, InterfaceClass::keyboard_wedge},  // a keyboard type
    {1, InterfaceClass::rs232},
    {306, InterfaceClass::wand_emulation},
};

ValueKind kind_of(const SetupCode& naming) {
    const std::optional<int> code = four_digit_code(naming);
    for (const NamedValue& named : kValueKinds) {
        if (code == named.code) {
            return named.kind;
        }
    }
    return ValueKind::key_string;
}

bool is_nibble(int code) {
    return code >= kFirstNibbleCode && code <= kLastNibbleCode;
}

std::optional<std::string> number_text(const std::vector<int>& values) {
    std::string digits;
    for (const int code : values) {
        if (code < kFirstNibbleCode || code > kLastDigitCode) {
            return std::nullopt;
        }
        digits += static_cast<char>('0' + (code - kFirstNibbleCode));
    }
    return digits.empty() ? std::nullopt : std::optional(digits);
}

std::optional<std::string> sequence_text(const std::vector<int>& values) {
    std::string text;
    for (const int code : values) {
        const std::string_view label =
            code > kFirstNibbleCode ? tessmar::field_token_label(code - kFirstNibbleCode) : "";
        if (label.empty()) {
            return std::nullopt;
        }
        text += label;
    }
    return text;
}

// The codes spell, in turn, each key as its modifiers (keyboard wedge only) and its byte's two
// nibbles, high first; a scan-code string starts with its marker. Modifiers with no key after
// them end a string too, as a modifier byte before the terminator does.
std::optional<std::string> key_string_text(const std::vector<int>& values,
                                           InterfaceClass interface) {
    const bool scan_codes = !values.empty() && values.front() == kScanCodeCode;
    const bool modifiers = std::ranges::any_of(
        values, [](int code) { return code >= kFirstModifierCode && code <= kLastModifierCode; });
    // Only a keyboard wedge has modifiers, whichever interface the sheet chose before.
    const KeyStringForm form = scan_codes ? KeyStringForm::scan_code
                               : modifiers || interface == InterfaceClass::keyboard_wedge
                                   ? KeyStringForm::normal_key
                                   : KeyStringForm::character;
    std::string text;
    unsigned flags = 0;
    std::optional<int> high_nibble;
    for (std::size_t i = scan_codes ? 1 : 0; i < values.size(); ++i) {
        const int code = values[i];
        if (is_nibble(code)) {
            if (!high_nibble) {
                high_nibble = code - kFirstNibbleCode;
                continue;
            }
            const auto byte =
                static_cast<std::uint8_t>(*high_nibble * 16 + code - kFirstNibbleCode);
            text += tessmar::modifier_markers(flags) + tessmar::bracketed_key_label(form, byte);
            flags = 0;
            high_nibble.reset();
        } else if (code >= kFirstModifierCode && code <= kLastModifierCode && !scan_codes &&
                   !high_nibble) {
            flags |= 1u << (code - kFirstModifierCode);
        } else {
            return std::nullopt;
        }
    }
    if (high_nibble) {
        return std::nullopt;
    }
    return text + tessmar::modifier_markers(flags);
}

std::optional<std::string> value_text(ValueKind kind, const std::vector<int>& values,
                                      InterfaceClass interface) {
    switch (kind) {
        case ValueKind::number:
        case ValueKind::keyboard_type:
            return number_text(values);
        case ValueKind::transmission_sequence:
            return sequence_text(values);
        case ValueKind::key_string:
            return key_string_text(values, interface);
    }
    return std::nullopt;
}

std::string joined_captions(std::vector<SetupCode>::const_iterator first,
                            std::vector<SetupCode>::const_iterator last) {
    std::string text;
    for (auto code = first; code != last; ++code) {
        text += (text.empty() ? "" : " ") + code->caption;
    }
    return text;
}

}  // namespace

std::optional<int> four_digit_code(const SetupCode& code) {
    if (code.digits.size() != 4) {
        return std::nullopt;
    }
    return std::stoi(code.digits);
}

bool is_value_code(int code) {
    return is_nibble(code) || (code >= kFirstModifierCode && code <= kScanCodeCode);
}

InterfaceClass interface_after(const SetupCode& code, InterfaceClass before) {
    const std::optional<int> number = four_digit_code(code);
    if (number == kRestoreDefaultsCode) {
        return factory_interface();
    }
    for (const InterfaceCode& chooser : kInterfaceCodes) {
        if (number == chooser.code) {
            return chooser.interface_class;
        }
    }
    return before;
}

InterfaceClass factory_interface() {
    static const InterfaceClass factory = tessmar::derive_interface_class(
        tessmar::factory_record().get(tessmar::Field::keyboard_type));
    return factory;
}

std::string step_caption(const std::vector<SetupCode>& codes, InterfaceClass interface) {
    if (codes.empty()) {
        return {};
    }
    const SetupCode& naming = codes.front();
    const std::optional<int> first = four_digit_code(naming);
    // Value codes with no naming code before them: a sheet Tessmar did not write.
    if (first && (is_value_code(*first) || *first == kValidateCode)) {
        return joined_captions(codes.begin(), codes.end());
    }
    if (codes.size() == 1) {
        return first >= kFirstTotalFieldsCode && first <= kLastTotalFieldsCode
                   ? naming.caption + ": " + std::to_string(*first - kFirstTotalFieldsCode + 1)
                   : naming.caption;
    }
    auto end = codes.end();
    if (four_digit_code(codes.back()) == kValidateCode) {
        --end;
    }
    std::vector<int> values;
    for (auto code = codes.begin() + 1; code != end; ++code) {
        values.push_back(four_digit_code(*code).value_or(-1));
    }
    const ValueKind kind = kind_of(naming);
    const std::optional<std::string> value = value_text(kind, values, interface);
    if (value && kind == ValueKind::keyboard_type) {
        return "Keyboard Type: " + naming.caption + " (" + *value + ")";
    }
    const std::string shown = value ? *value : joined_captions(codes.begin() + 1, end);
    const std::string name = value && kind == ValueKind::transmission_sequence
                                 ? "Transmission Sequence"
                                 : naming.caption;
    return name + ": " + (shown.empty() ? "(none)" : shown);
}

std::string code_caption(const std::vector<SetupCode>& codes, std::size_t index) {
    const SetupCode& code = codes[index];
    const std::optional<int> number = four_digit_code(code);
    if (index == 0 || !number || *number < kFirstNibbleCode || *number > kLastDigitCode) {
        return code.caption;
    }
    const ValueKind kind = kind_of(codes.front());
    return kind == ValueKind::number || kind == ValueKind::keyboard_type
               ? std::to_string(*number - kFirstNibbleCode)
               : code.caption;
}

}  // namespace stampwell
