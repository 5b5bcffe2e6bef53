// One row per setting of the record: where it lies, its name and words in a settings text, in
// tables grouped as the summary tree groups them ("scanner", "symbology.code_39",
// "editing_format.2.field_divider.1"), the control that edits it, and when the tree shows it and
// the sheet writes it. A face that goes without a setting says why in the setting's row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/settings_record.h"
#include "model/value_texts.h"

namespace tessmar {

enum class SettingKind : std::uint8_t {
    flag,           // true or false for 1 and 0; a switch of a whole byte keeps other values
    word,           // the value's word in `words`, or its number when the list has none
    layout_word,    // capital lock type, digits layout: `words` by display index
    keyboard_type,  // "RS-232", the keyboard's name or "Wand Emulation", else its number
    number,         // the bits as a number
    number_16,      // a little-endian 16-bit number
    key_string,     // an 11-byte slot: its keys, and the form they are written in
    sequence,       // an editing format's transmission sequence: "[F1][A1]"
};

// Bits that must hold `value` for the tree to show a setting and the sheet to write it.
struct SettingCondition {
    FieldLayout bits;
    unsigned value = 0;
};

// The control that edits a setting: its page's or dialog's template, and its id there.
struct SettingControl {
    const char* window = nullptr;
    int id = 0;
};

// Why a face goes without the setting; null for each face that has it.
struct MissingFaces {
    const char* tree = nullptr;
    const char* sheet = nullptr;
    const char* control = nullptr;
    const char* text = nullptr;  // a settings text keeps its bits in [bytes]
};

struct NamedSetting {
    std::string table;
    std::string name;
    SettingKind kind = SettingKind::number;
    std::size_t offset = 0;     // its first byte in the record
    std::uint8_t high_bit = 7;  // the bit kinds' bits within that byte
    std::uint8_t low_bit = 0;
    TextList words = {};
    Field field = Field::count;  // the record's field, where one names the bits
    SettingControl control = {};
    std::vector<SettingCondition> conditions = {};
    MissingFaces missing = {};

    // The bits of a number kind (number_16 has two whole bytes from `offset`).
    FieldLayout bits() const {
        return {field, static_cast<std::uint16_t>(offset), high_bit, low_bit};
    }
};

// Every named setting in the order a text file lists them: a table's settings together, each
// table before the tables inside it.
std::span<const NamedSetting> named_settings();
// Those and the settings a text leaves to [bytes], each with the reason in its row.
std::span<const NamedSetting> setting_rows();

// A record from the factory settings in which the setting's conditions hold.
SettingsRecord record_showing(const NamedSetting& setting);
// Gives the setting a value other than the record's that every face can show: another word where
// it has words, another key, another transmission sequence.
void change_setting(SettingsRecord& record, const NamedSetting& setting);

// The setting of that name in that table, or null.
const NamedSetting* find_named_setting(std::string_view table, std::string_view name);

// Whether a table of that name holds settings or other tables ("editing_format.2").
bool is_settings_table(std::string_view table);

// The value of a setting of a number kind (every kind but key_string and sequence), and its
// largest value.
unsigned setting_number(const SettingsRecord& record, const NamedSetting& setting);
void set_setting_number(SettingsRecord& record, const NamedSetting& setting, unsigned value);
unsigned setting_maximum(const NamedSetting& setting);

// The word a value is written as, if it has one (a flag's words are true and false, not these).
std::optional<std::string> setting_word(const NamedSetting& setting, unsigned value);
std::optional<unsigned> setting_word_value(const NamedSetting& setting, std::string_view word);
// Every word of the setting in value order, for a message that lists them.
std::vector<std::string> setting_words(const NamedSetting& setting);

}  // namespace tessmar
