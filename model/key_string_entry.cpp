#include "model/key_string_entry.h"

#include <charconv>
#include <vector>

namespace tessmar {
namespace {

struct FormName {
    KeyStringForm form;
    const char* name;
};

constexpr FormName kFormNames[] = {
    {KeyStringForm::character, "character"},
    {KeyStringForm::normal_key, "normal key"},
    {KeyStringForm::scan_code, "scan code"},
};

// The highest code each form's label table names.
constexpr unsigned kLastCharacter = 0x7F;
constexpr unsigned kLastNormalKey = 0x8F;

std::optional<std::uint8_t> hex_byte(std::string_view digits) {
    unsigned value = 0;
    const char* end = digits.data() + digits.size();
    if (digits.size() != 2 || std::from_chars(digits.data(), end, value, 16).ptr != end) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

std::optional<unsigned> modifier_flag(std::string_view label) {
    for (unsigned flag = 0; flag < kModifierFlagCount; ++flag) {
        const std::string_view marker = modifier_marker(flag);
        if (marker.substr(1, marker.size() - 2) == label) {
            return 1u << flag;
        }
    }
    return std::nullopt;
}

// The code a label stands for in the form: its name in the form's table, "0xHH" for any code,
// and in scan-code form its two hexadecimal digits.
std::optional<std::uint8_t> code_of_label(KeyStringForm form, std::string_view label) {
    if (label.size() == 4 && label.starts_with("0x")) {
        return hex_byte(label.substr(2));
    }
    if (form == KeyStringForm::scan_code) {
        return hex_byte(label);
    }
    const unsigned last = form == KeyStringForm::character ? kLastCharacter : kLastNormalKey;
    for (unsigned code = 1; code <= last; ++code) {
        if (key_label(form, static_cast<std::uint8_t>(code)) == label) {
            return static_cast<std::uint8_t>(code);
        }
    }
    return std::nullopt;
}

// The bytes of a key string as its keys are entered, in the key grid's way.
class KeyStringBuilder {
  public:
    explicit KeyStringBuilder(KeyStringForm form) : form_(form) {}

    void add_modifier(unsigned flag, std::string_view written);
    void add_key(std::uint8_t code, std::string_view written);
    void fail(std::string message) {
        if (error_.empty()) {
            error_ = std::move(message);
        }
    }
    KeyStringEntry finish();

  private:
    KeyStringForm form_;
    std::vector<std::uint8_t> bytes_;
    unsigned modifiers_ = 0;  // for the next key
    std::string error_;
};

void KeyStringBuilder::add_modifier(unsigned flag, std::string_view written) {
    if (form_ != KeyStringForm::normal_key) {
        fail(std::string(written) + " is a modifier, which only normal keys take");
    }
    modifiers_ |= flag;
}

void KeyStringBuilder::add_key(std::uint8_t code, std::string_view written) {
    const std::string key(written);
    if (code == 0) {
        fail(key + " would end the key string");
    } else if (form_ == KeyStringForm::normal_key && modifiers_ == 0 && code > kScanCodeMarker) {
        fail(key + " is a modifier byte, not a key");
    } else if (form_ == KeyStringForm::normal_key && bytes_.empty() && code == kScanCodeMarker) {
        fail(key + " at the start would make the string one of scan codes");
    }
    if (form_ == KeyStringForm::scan_code) {
        bytes_.push_back(kScanCodeMarker);
    } else if (modifiers_ != 0) {
        bytes_.push_back(static_cast<std::uint8_t>(kScanCodeMarker + modifiers_));
    }
    bytes_.push_back(code);
    modifiers_ = 0;
}

KeyStringEntry KeyStringBuilder::finish() {
    // Modifiers with no key after them are kept, as the tree shows such a string.
    if (modifiers_ != 0) {
        bytes_.push_back(static_cast<std::uint8_t>(kScanCodeMarker + modifiers_));
    }
    if (bytes_.size() > kKeyStringMaxBytes && error_.empty()) {
        fail("the keys take " + std::to_string(bytes_.size()) +
             " bytes; a key string holds at most " + std::to_string(kKeyStringMaxBytes));
    }
    KeyStringEntry entry;
    entry.error = error_;
    if (error_.empty()) {
        std::copy(bytes_.begin(), bytes_.end(), entry.bytes.begin());
    }
    return entry;
}

std::optional<unsigned> field_token_written(std::string_view written) {
    for (unsigned token = 1; !field_token_label(token).empty(); ++token) {
        if (field_token_label(token) == written) {
            return token;
        }
    }
    return std::nullopt;
}

std::string quoted_character(char c) {
    return {'\'', c, '\''};
}

bool is_bare_character(char c) {
    return c >= 0x20 && c < 0x7F && c != '[';
}

// Calls `label` with each bracketed label and `bare` with each character outside brackets; false
// with a message in `error` when a bracket is not closed.
template <class OnLabel, class OnBare>
bool split_labels(std::string_view text, std::string& error, OnLabel label, OnBare bare) {
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] != '[') {
            bare(text[at]);
            ++at;
            continue;
        }
        // A label is never empty, so "[]]" is the label "]".
        const std::size_t close = text.find(']', at + 2);
        if (close == std::string_view::npos) {
            const std::string unclosed(text.substr(at));
            error = "\"" + unclosed + "\" has no closing ]";
            return false;
        }
        label(text.substr(at + 1, close - at - 1), text.substr(at, close - at + 1));
        at = close + 1;
    }
    return true;
}

}  // namespace

std::string_view key_string_form_name(KeyStringForm form) {
    for (const FormName& row : kFormNames) {
        if (row.form == form) {
            return row.name;
        }
    }
    return {};
}

std::optional<KeyStringForm> key_string_form_named(std::string_view name) {
    for (const FormName& row : kFormNames) {
        if (row.name == name) {
            return row.form;
        }
    }
    return std::nullopt;
}

KeyStringEntry enter_key_string(std::string_view text, KeyStringForm form) {
    KeyStringBuilder builder(form);
    std::string unclosed;
    const auto on_label = [&](std::string_view label, std::string_view written) {
        if (const std::optional<unsigned> flag = modifier_flag(label)) {
            builder.add_modifier(*flag, written);
        } else if (const std::optional<std::uint8_t> code = code_of_label(form, label)) {
            builder.add_key(*code, written);
        } else {
            builder.fail(std::string(written) + " is no key in " +
                         std::string(key_string_form_name(form)) + " form");
        }
    };
    const auto on_bare = [&](char c) {
        if (form == KeyStringForm::scan_code || !is_bare_character(c)) {
            builder.fail(quoted_character(c) + " must be written as a key in brackets");
        } else {
            builder.add_key(static_cast<std::uint8_t>(c), std::string(1, c));
        }
    };
    if (!split_labels(text, unclosed, on_label, on_bare)) {
        builder.fail(unclosed);
    }
    return builder.finish();
}

SequenceEntry enter_transmission_sequence(std::string_view text) {
    SequenceEntry entry;
    std::size_t count = 0;
    const auto fail = [&](std::string message) {
        if (entry.error.empty()) {
            entry.error = std::move(message);
        }
    };
    const auto on_label = [&](std::string_view, std::string_view written) {
        const std::optional<unsigned> token = field_token_written(written);
        if (!token) {
            fail(std::string(written) +
                 " is no field; the fields are [F1] to [F6] and [A1] to [A5]");
        } else if (count == kTransmissionSequenceSize) {
            fail("a transmission sequence holds at most " +
                 std::to_string(kTransmissionSequenceSize) + " fields");
        } else {
            entry.bytes[count++] = static_cast<std::uint8_t>(*token);
        }
    };
    const auto on_bare = [&](char c) {
        fail(quoted_character(c) + " is no field; write the fields as [F1] or [A1]");
    };
    std::string unclosed;
    if (!split_labels(text, unclosed, on_label, on_bare)) {
        fail(unclosed);
    }
    if (!entry.error.empty()) {
        entry.bytes = {};
    }
    return entry;
}

}  // namespace tessmar
