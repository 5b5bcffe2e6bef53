// The rows of the sheet's code tables. A section is a heading and a table of rows; each row
// names a setting, says when it is written, and how its value becomes setup tokens.
#pragma once

#include <span>
#include <variant>

#include "model/settings_record.h"
#include "model/value_texts.h"
#include "sheet/sheet_writer.h"

namespace tessmar {

// How a value becomes a setup code and the word its caption is filled with. A value that has no
// word (past the list, or a null entry) writes nothing: its code would set something else.
struct Coding {
    TextList words;                   // the word of value v is words[v]
    int code_0 = 0;                   // the code of value 0...
    int step = 1;                     // ...and value v has code_0 + step * v,
    std::span<const int> codes = {};  // unless the codes are listed per value
};

// Value v has code base + v.
constexpr Coding list(int base, TextList words) {
    return {words, base, 1};
}
// A one-bit setting: `code_1` for the value 1 and `code_0` for 0.
constexpr Coding toggle(int code_1, int code_0, TextList words) {
    return {words, code_0, code_1 - code_0};
}
inline constexpr const char* kEnableTextList[] = {"Disable", "Enable"};
inline constexpr const char* kOnTextList[] = {"OFF", "ON"};
// One-bit settings whose captions read Enable / Disable, and ON / OFF.
constexpr Coding enable(int code_1, int code_0) {
    return toggle(code_1, code_0, kEnableTextList);
}
constexpr Coding on(int code_1, int code_0) {
    return toggle(code_1, code_0, kOnTextList);
}
constexpr Coding mapped(std::span<const int> codes, TextList words) {
    return {words, 0, 0, codes};
}

// When a row is written at all, whatever its value.
struct Condition {
    enum Kind { always, field_is, section_enabled } kind = always;
    Field field{};
    unsigned value = 0;
};
constexpr Condition only_if(Field field, unsigned value) {
    return {Condition::field_is, field, value};
}
// While the section's symbology is enabled (any of its master fields is 1).
inline constexpr Condition kIfEnabled{Condition::section_enabled};

// A setting written as one token chosen by its value, when it differs.
struct OptionRow {
    Field field;
    const char* caption;  // "%s" stands for the value's word
    Coding coding;
    Condition condition = {};
    bool with_number = false;  // the value's number tokens follow the token
};

// A number: the naming token, then the value's number tokens, when it differs.
struct NumberRow {
    Field field;
    int code;
    const char* caption;
    Condition condition = {};
};

// A length of a length qualification, named after the kind of qualification its mode bit holds.
struct LengthRow {
    Field field;
    Field mode;
    int code;
    const char* caption_mode_1;  // maximum and minimum length
    const char* caption_mode_0;  // two fixed lengths
    Condition condition = kIfEnabled;
};

// A key string: the naming token, then the string's tokens, when any of its ten bytes differ.
struct KeyStringRow {
    KeySlot slot;
    int code;
    const char* caption;
    Condition condition = {};
};

// The token that selects an interface, written when the defaults have another one.
struct InterfaceRow {
    unsigned keyboard_type;
    int code;
    const char* caption;
};

using SheetRow = std::variant<OptionRow, NumberRow, LengthRow, KeyStringRow, InterfaceRow>;

struct SheetSection {
    const char* heading;
    std::span<const SheetRow> rows;
    std::span<const Field> masters = {};  // what "enabled" means for kIfEnabled rows
};

void write_section(SheetWriter& writer, const SheetSource& source, const SheetSection& section);

}  // namespace tessmar
