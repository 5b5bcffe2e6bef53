#include "model/settings_schema.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <unordered_map>

#include "model/program_state.h"
#include "model/symbologies.h"

namespace tessmar {
namespace {

using F = Field;
using K = SettingKind;

// One setting of a table: a field of the record's option bytes, or `offset` (a key-string slot,
// or a place inside an editing-format block or a field divider).
struct Row {
    const char* name;
    SettingKind kind;
    Field field = Field::count;
    std::size_t offset = 0;
    TextList words = {};
};

constexpr Row flag(const char* name, Field field) {
    return {name, K::flag, field};
}
constexpr Row word(const char* name, Field field, TextList words) {
    return {name, K::word, field, 0, words};
}
constexpr Row number(const char* name, Field field) {
    return {name, K::number, field};
}
constexpr Row key(const char* name, KeySlot slot) {
    return {name, K::key_string, Field::count, offset_of(slot)};
}
constexpr Row at(const char* name, SettingKind kind, std::size_t offset, TextList words = {}) {
    return {name, kind, Field::count, offset, words};
}

constexpr Row kScannerRows[] = {
    word("scan_mode", F::scan_mode, texts::scan_mode),
    word("read_redundancy", F::read_redundancy, texts::read_redundancy),
    word("delay_between_reread", F::delay_between_reread, texts::delay_between_reread),
    number("scanner_timeout", F::scanner_timeout),
    flag("disable_buzzer", F::disable_buzzer),
    word("buzzer_frequency", F::buzzer_frequency, texts::buzzer_frequency),
    flag("transmit_buffer", F::transmit_buffer),
    word("transmission_delay", F::transmission_delay, texts::transmission_delay),
    flag("memory_scanner", F::memory_scanner),
    word("memory_scanner_data_delay", F::memory_scanner_data_delay,
         texts::memory_scanner_data_delay),
    flag("read_negative_barcode", F::read_negative_barcode),
};

// Every interface's options, whichever is selected: a file keeps them all.
constexpr Row kInterfaceRows[] = {
    {"keyboard_type", K::keyboard_type, F::keyboard_type},
    word("transmission_mode", F::transmission_mode, texts::transmission_mode),
    word("baud_rate", F::baud_rate, texts::baud_rate),
    word("parity", F::parity, texts::parity),
    word("data_bit", F::data_bit, texts::data_bit),
    word("flow_control", F::flow_control, texts::flow_control),
    number("inter_character_delay", F::inter_character_delay),
    word("margin_time", F::margin_time, texts::margin_time),
    word("module_time", F::module_time, texts::module_time),
    word("normal_state", F::normal_state, texts::wand_state),
    word("bar_state", F::bar_state, texts::wand_state),
    word("pdf417_block_delay", F::pdf417_block_delay, texts::pdf417_block_delay),
    word("alphabets_transmission", F::alphabets_transmission, texts::alphabets_transmission),
    {"capital_lock_type", K::layout_word, F::capital_lock_type, 0, texts::capital_lock_type},
    word("alphabets_layout", F::alphabets_layout, texts::alphabets_layout),
    flag("capital_lock_auto_detection", F::capital_lock_auto_detection),
    flag("alternate_composing", F::alternate_composing),
    word("digits_transmission", F::digits_transmission, texts::digits_transmission),
    flag("capital_lock_state", F::capital_lock_state),
    {"digits_layout", K::layout_word, F::digits_layout, 0, texts::digits_layout},
    flag("laptop_support", F::laptop_support),
};

constexpr Row kSymbologyRows[] = {key("prefix_code", KeySlot::prefix_code),
                                  key("suffix_code", KeySlot::suffix_code)};

// The table of each symbology, in the order of kSymbologies.
constexpr const char* kSymbologyKeys[kSymbologyCount] = {"code_39",
                                                         "italian_pharmacode",
                                                         "french_pharmacode",
                                                         "industrial_25",
                                                         "interleave_25",
                                                         "matrix_25",
                                                         "codabar",
                                                         "code_93",
                                                         "code_128",
                                                         "ean_128",
                                                         "upce",
                                                         "ean_8",
                                                         "ean_13",
                                                         "upca",
                                                         "msi",
                                                         "plessey",
                                                         "pdf417"};

constexpr Row kCode39Rows[] = {
    flag("enable_code_39", F::enable_code_39),
    flag("code_39_full_ascii", F::code_39_full_ascii),
    flag("code_39_transmit_start_stop", F::code_39_transmit_start_stop),
    flag("code_39_verify_checksum", F::code_39_verify_checksum),
    flag("code_39_transmit_checksum", F::code_39_transmit_checksum),
};
constexpr Row kItalianPharmacodeRows[] = {
    flag("enable_italian_pharmacode", F::enable_italian_pharmacode),
    flag("italian_pharmacode_transmit_checksum", F::italian_pharmacode_transmit_checksum),
};
constexpr Row kFrenchPharmacodeRows[] = {
    flag("enable_french_pharmacode", F::enable_french_pharmacode),
    flag("french_pharmacode_transmit_checksum", F::french_pharmacode_transmit_checksum),
};
constexpr Row kIndustrial25Rows[] = {
    flag("enable_industrial_25", F::enable_industrial_25),
    word("industrial_25_start_stop_selection", F::industrial_25_start_stop_selection,
         texts::start_stop_selection),
    flag("industrial_25_verify_checksum", F::industrial_25_verify_checksum),
    flag("industrial_25_transmit_checksum", F::industrial_25_transmit_checksum),
    word("industrial_25_length_mode", F::industrial_25_length_mode, texts::length_mode),
    number("industrial_25_length_1", F::industrial_25_length_1),
    number("industrial_25_length_2", F::industrial_25_length_2),
};
constexpr Row kInterleave25Rows[] = {
    flag("enable_interleave_25", F::enable_interleave_25),
    word("interleave_25_start_stop_selection", F::interleave_25_start_stop_selection,
         texts::start_stop_selection),
    flag("interleave_25_verify_checksum", F::interleave_25_verify_checksum),
    flag("interleave_25_transmit_checksum", F::interleave_25_transmit_checksum),
    flag("interleave_25_transmit_first_0", F::interleave_25_transmit_first_0),
    word("interleave_25_length_mode", F::interleave_25_length_mode, texts::length_mode),
    number("interleave_25_length_1", F::interleave_25_length_1),
    number("interleave_25_length_2", F::interleave_25_length_2),
};
constexpr Row kMatrix25Rows[] = {
    flag("enable_matrix_25", F::enable_matrix_25),
    word("matrix_25_start_stop_selection", F::matrix_25_start_stop_selection,
         texts::start_stop_selection),
    flag("matrix_25_verify_checksum", F::matrix_25_verify_checksum),
    flag("matrix_25_transmit_checksum", F::matrix_25_transmit_checksum),
    word("matrix_25_length_mode", F::matrix_25_length_mode, texts::length_mode),
    number("matrix_25_length_1", F::matrix_25_length_1),
    number("matrix_25_length_2", F::matrix_25_length_2),
};
constexpr Row kCodabarRows[] = {
    flag("enable_codabar", F::enable_codabar),
    word("codabar_start_stop_character", F::codabar_start_stop_character,
         texts::codabar_start_stop_character),
    flag("codabar_transmit_start_stop", F::codabar_transmit_start_stop),
    flag("codabar_clsi_conversion", F::codabar_clsi_conversion),
};
constexpr Row kCode93Rows[] = {flag("enable_code_93", F::enable_code_93)};
constexpr Row kCode128Rows[] = {flag("enable_code_128", F::enable_code_128)};
constexpr Row kEan128Rows[] = {flag("enable_ean_128", F::enable_ean_128),
                               key("field_separator", KeySlot::field_separator)};
constexpr Row kUpceRows[] = {
    flag("upce_no_addon", F::upce_no_addon),
    flag("upce_addon_2", F::upce_addon_2),
    flag("upce_addon_5", F::upce_addon_5),
    flag("upce_convert_to_upca", F::upce_convert_to_upca),
    flag("upce_transmit_checksum", F::upce_transmit_checksum),
    flag("upce_transmit_system_number", F::upce_transmit_system_number),
    word("upce_system_number", F::upce_system_number, texts::upce_system_number),
};
constexpr Row kEan8Rows[] = {
    flag("ean_8_no_addon", F::ean_8_no_addon),
    flag("ean_8_addon_2", F::ean_8_addon_2),
    flag("ean_8_addon_5", F::ean_8_addon_5),
    flag("ean_8_convert_to_ean_13", F::ean_8_convert_to_ean_13),
    flag("ean_8_transmit_checksum", F::ean_8_transmit_checksum),
};
constexpr Row kEan13Rows[] = {
    flag("ean_13_no_addon", F::ean_13_no_addon),
    flag("ean_13_addon_2", F::ean_13_addon_2),
    flag("ean_13_addon_5", F::ean_13_addon_5),
    flag("isbn_conversion", F::isbn_conversion),
    flag("issn_conversion", F::issn_conversion),
    flag("ean_13_transmit_checksum", F::ean_13_transmit_checksum),
};
constexpr Row kUpcaRows[] = {
    flag("upca_no_addon", F::upca_no_addon),
    flag("upca_addon_2", F::upca_addon_2),
    flag("upca_addon_5", F::upca_addon_5),
    flag("upca_convert_to_ean_13", F::upca_convert_to_ean_13),
    flag("upca_transmit_checksum", F::upca_transmit_checksum),
    flag("upca_transmit_system_number", F::upca_transmit_system_number),
};
constexpr Row kMsiRows[] = {
    flag("enable_msi", F::enable_msi),
    word("msi_checksum_verification", F::msi_checksum_verification,
         texts::msi_checksum_verification),
    word("msi_checksum_transmission", F::msi_checksum_transmission,
         texts::msi_checksum_transmission),
    word("msi_length_mode", F::msi_length_mode, texts::length_mode),
    number("msi_length_1", F::msi_length_1),
    number("msi_length_2", F::msi_length_2),
};
constexpr Row kPlesseyRows[] = {
    flag("enable_plessey", F::enable_plessey),
    flag("convert_to_uk_plessey", F::convert_to_uk_plessey),
    flag("plessey_transmit_checksum", F::plessey_transmit_checksum),
};
constexpr Row kPdf417Rows[] = {
    key("pdf417_escape_character", KeySlot::pdf417_escape_character),
    key("pdf417_prefix_code", KeySlot::pdf417_prefix_code),
    key("pdf417_suffix_code", KeySlot::pdf417_suffix_code),
};

// In the order of kSymbologies.
constexpr std::span<const Row> kSymbologyTables[kSymbologyCount] = {kCode39Rows,
                                                                    kItalianPharmacodeRows,
                                                                    kFrenchPharmacodeRows,
                                                                    kIndustrial25Rows,
                                                                    kInterleave25Rows,
                                                                    kMatrix25Rows,
                                                                    kCodabarRows,
                                                                    kCode93Rows,
                                                                    kCode128Rows,
                                                                    kEan128Rows,
                                                                    kUpceRows,
                                                                    kEan8Rows,
                                                                    kEan13Rows,
                                                                    kUpcaRows,
                                                                    kMsiRows,
                                                                    kPlesseyRows,
                                                                    kPdf417Rows};

// An editing format's own settings, by their offset in its block; its switch comes first.
constexpr Row kEditFormatRows[] = {
    at("minimum_length", K::number_16, 6),
    at("maximum_length", K::number_16, 4),
    at("matching_string", K::key_string, kMatchingStringOffset),
    at("matching_string_location", K::number_16, 19),
    at("number_of_fields_minus_1", K::number, 162),
    at("additional_field_1", K::key_string, additional_field_offset(1)),
    at("additional_field_2", K::key_string, additional_field_offset(2)),
    at("additional_field_3", K::key_string, additional_field_offset(3)),
    at("additional_field_4", K::key_string, additional_field_offset(4)),
    at("additional_field_5", K::key_string, additional_field_offset(5)),
    at("transmission_sequence", K::sequence, 146),
};

// By their offset in the divider.
constexpr Row kFieldDividerRows[] = {
    at("include_terminating_string", K::word, 0, texts::terminating_string),
    at("field_length", K::number_16, 1),
    at("terminating_string", K::key_string, kTerminatingStringOffset),
};

// The code types of an editing format, in the order of kCodeTypes.
constexpr const char* kCodeTypeKeys[] = {"code_39",
                                         "italian_pharmacode",
                                         "french_pharmacode",
                                         "industrial_25",
                                         "interleave_25",
                                         "matrix_25",
                                         "codabar",
                                         "code_93",
                                         "code_128",
                                         "ean_128",
                                         "upce_no_addon",
                                         "upce_addon_2",
                                         "upce_addon_5",
                                         "ean_8_no_addon",
                                         "ean_8_addon_2",
                                         "ean_8_addon_5",
                                         "ean_13_no_addon",
                                         "ean_13_addon_2",
                                         "ean_13_addon_5",
                                         "upca_no_addon",
                                         "upca_addon_2",
                                         "upca_addon_5",
                                         "msi",
                                         "plessey",
                                         "pdf417"};
static_assert(std::size(kCodeTypeKeys) == std::size(kCodeTypes));

class Schema {
  public:
    Schema();

    std::vector<NamedSetting> settings;
    std::unordered_map<std::string, std::size_t> by_name;  // "table name"
    std::set<std::string, std::less<>> tables;

  private:
    void add(const std::string& table, const Row& row, std::size_t base = 0);
    void insert(NamedSetting setting);
    void add_all(const std::string& table, std::span<const Row> rows, std::size_t base = 0);
    void add_editing_format(int n);
};

std::string lookup_key(std::string_view table, std::string_view name) {
    return std::string(table) + ' ' + std::string(name);
}

void Schema::add(const std::string& table, const Row& row, std::size_t base) {
    NamedSetting setting{table, row.name, row.kind, base + row.offset, 7, 0, row.words};
    if (row.field != Field::count) {
        const FieldLayout& layout = field_layout(row.field);
        setting.offset = layout.offset;
        setting.high_bit = layout.high_bit;
        setting.low_bit = layout.low_bit;
    }
    insert(std::move(setting));
}

void Schema::insert(NamedSetting setting) {
    // The table and every table it lies in.
    const std::string& table = setting.table;
    for (std::size_t dot = table.find('.'); dot != std::string::npos;
         dot = table.find('.', dot + 1)) {
        tables.insert(table.substr(0, dot));
    }
    tables.insert(table);
    by_name.emplace(lookup_key(table, setting.name), settings.size());
    settings.push_back(std::move(setting));
}

void Schema::add_all(const std::string& table, std::span<const Row> rows, std::size_t base) {
    for (const Row& row : rows) {
        add(table, row, base);
    }
}

void Schema::add_editing_format(int n) {
    const std::string table = "editing_format." + std::to_string(n);
    const std::size_t block = edit_format_offset(n - 1);
    add(table, flag("enable_editing_format", enable_editing_format_field(n)));
    add_all(table, kEditFormatRows, block);
    for (std::size_t type = 0; type < std::size(kCodeTypes); ++type) {
        insert({table + ".applicable_code_type", kCodeTypeKeys[type], K::flag,
                block + kCodeTypes[type].byte, kCodeTypes[type].bit, kCodeTypes[type].bit});
    }
    for (int f = 1; f <= kFieldDividers; ++f) {
        add_all(table + ".field_divider." + std::to_string(f), kFieldDividerRows,
                block + field_divider_offset(f));
    }
}

Schema::Schema() {
    add_all("scanner", kScannerRows);
    add_all("interface", kInterfaceRows);
    add_all("symbology", kSymbologyRows);
    for (int s = 0; s < kSymbologyCount; ++s) {
        add_all(std::string("symbology.") + kSymbologyKeys[s], kSymbologyTables[s]);
    }
    for (int s = 0; s < kSymbologyCount; ++s) {
        const std::string name = std::string("length_code_") + kSymbologyKeys[s];
        add("length_code", {name.c_str(), K::flag, kSymbologies[s].length_code});
    }
    for (const Symbology symbology : kCodeIdSymbologies) {
        const std::string name =
            std::string("code_id_") + kSymbologyKeys[static_cast<int>(symbology)];
        add("code_id", key(name.c_str(), symbology_info(symbology).code_id));
    }
    for (int n = 1; n <= kSubstitutions; ++n) {
        const std::string table = "data_substitution." + std::to_string(n);
        add(table, at("string_to_be_replaced", K::key_string, string_to_be_replaced_offset(n)));
        add(table, at("replaced_by", K::key_string, replaced_by_offset(n)));
    }
    add("data_editing", flag("editing_exclusive", F::editing_exclusive));
    for (int n = 1; n <= kEditingFormats; ++n) {
        add_editing_format(n);
    }
}

const Schema& schema() {
    static const Schema built;
    return built;
}

unsigned bit_mask(const NamedSetting& setting) {
    return ((1u << (setting.high_bit - setting.low_bit + 1)) - 1u) << setting.low_bit;
}

// Capital lock type and digits layout store 0, 2 and 3 for their three words.
std::optional<std::size_t> layout_index(unsigned value) {
    if (value == 1 || value > 3) {
        return std::nullopt;
    }
    return display_index_of_layout_value(value);
}

constexpr const char* kRs232 = "RS-232";
constexpr const char* kWandEmulation = "Wand Emulation";

}  // namespace

std::span<const NamedSetting> named_settings() {
    return schema().settings;
}

const NamedSetting* find_named_setting(std::string_view table, std::string_view name) {
    const auto found = schema().by_name.find(lookup_key(table, name));
    return found == schema().by_name.end() ? nullptr : &schema().settings[found->second];
}

bool is_settings_table(std::string_view table) {
    return schema().tables.contains(table);
}

unsigned setting_number(const SettingsRecord& record, const NamedSetting& setting) {
    if (setting.kind == K::number_16) {
        return record.bytes[setting.offset] | (record.bytes[setting.offset + 1] << 8);
    }
    return (record.bytes[setting.offset] & bit_mask(setting)) >> setting.low_bit;
}

void set_setting_number(SettingsRecord& record, const NamedSetting& setting, unsigned value) {
    if (setting.kind == K::number_16) {
        record.bytes[setting.offset] = static_cast<std::uint8_t>(value & 0xFF);
        record.bytes[setting.offset + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
        return;
    }
    const unsigned kept = record.bytes[setting.offset] & ~bit_mask(setting);
    const unsigned placed = (value << setting.low_bit) & bit_mask(setting);
    record.bytes[setting.offset] = static_cast<std::uint8_t>(kept | placed);
}

unsigned setting_maximum(const NamedSetting& setting) {
    return setting.kind == K::number_16 ? 0xFFFF : bit_mask(setting) >> setting.low_bit;
}

std::optional<std::string> setting_word(const NamedSetting& setting, unsigned value) {
    switch (setting.kind) {
        case K::word:
            if (value < setting.words.size()) {
                return setting.words[value];
            }
            break;
        case K::layout_word:
            if (const std::optional<std::size_t> index = layout_index(value)) {
                return setting.words[*index];
            }
            break;
        case K::keyboard_type:
            if (value == kKeyboardTypeRs232) {
                return kRs232;
            }
            if (value == kKeyboardTypeWand) {
                return kWandEmulation;
            }
            if (value >= 1 && value <= std::size(texts::keyboard_types)) {
                return keyboard_type_name(value);
            }
            break;
        default:
            break;
    }
    return std::nullopt;
}

std::optional<unsigned> setting_word_value(const NamedSetting& setting, std::string_view word) {
    for (unsigned value = 0; value <= setting_maximum(setting); ++value) {
        if (setting_word(setting, value) == word) {
            return value;
        }
    }
    return std::nullopt;
}

std::vector<std::string> setting_words(const NamedSetting& setting) {
    std::vector<std::string> words;
    if (setting.kind == K::number_16) {
        return words;
    }
    for (unsigned value = 0; value <= setting_maximum(setting); ++value) {
        if (std::optional<std::string> word = setting_word(setting, value)) {
            words.push_back(std::move(*word));
        }
    }
    return words;
}

}  // namespace tessmar
