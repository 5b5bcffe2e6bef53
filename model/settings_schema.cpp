#include "model/settings_schema.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <unordered_map>

#include "model/little_endian.h"
#include "model/program_state.h"
#include "model/symbologies.h"
#include "model/two_of_five.h"
#include "resources/resource.h"

namespace tessmar {
namespace {

using F = Field;
using K = SettingKind;

// The pages and dialogs of the controls; a symbology's own dialog is in its SymbologyInfo.
constexpr const char* kScannerPage = "SCANNER_DLG";
constexpr const char* kInterfacePage = "INTERFACE_DLG";
constexpr const char* kSymbologyPage = "SYMBOLOGY_DLG";
constexpr const char* kLengthCodePage = "LENGTHCODE_DLG";
constexpr const char* kCodeIdPage = "CODEID_DLG";
constexpr const char* kEditPage = "EDIT_DLG";
constexpr const char* kApplicableConditionsPage = "APPLICABLE_DLG";
constexpr const char* kFieldSettingsPage = "FIELDSETTINGS_DLG";
constexpr const char* kFieldsParametersDialog = "FIELDSDLG";
constexpr const char* kTransmissionSequencePage = "TRANSMISSION_DLG";

// One setting of a table: a field of the record's option bytes, or `offset` (a key-string slot,
// or a place inside an editing-format block or a field divider). Its control lies in the table's
// window unless `window` says otherwise.
struct Row {
    const char* name;
    SettingKind kind;
    Field field = Field::count;
    std::size_t offset = 0;
    TextList words = {};
    int control = 0;
    const char* window = nullptr;
    struct FieldIs {
        Field field;
        unsigned value;
    } when[2] = {};
    int conditions = 0;
    MissingFaces missing = {};

    constexpr Row only_when(Field bits, unsigned value) const {
        Row row = *this;
        row.when[row.conditions++] = {bits, value};
        return row;
    }
    constexpr Row in(const char* other_window) const {
        Row row = *this;
        row.window = other_window;
        return row;
    }
};

constexpr Row flag(const char* name, Field field, int control) {
    return {name, K::flag, field, 0, {}, control};
}
constexpr Row word(const char* name, Field field, TextList words, int control) {
    return {name, K::word, field, 0, words, control};
}
constexpr Row number(const char* name, Field field, int control) {
    return {name, K::number, field, 0, {}, control};
}
constexpr Row key(const char* name, KeySlot slot, int control) {
    return {name, K::key_string, Field::count, offset_of(slot), {}, control};
}
constexpr Row at(const char* name, SettingKind kind, std::size_t offset, int control,
                 TextList words = {}) {
    return {name, kind, Field::count, offset, words, control};
}

// The interface options show and are written under their own interface only.
constexpr Row rs232(Row row) {
    return row.only_when(F::keyboard_type, kKeyboardTypeRs232);
}
constexpr Row wand(Row row) {
    return row.only_when(F::keyboard_type, kKeyboardTypeWand);
}
constexpr Row wedge(Row row) {
    return row.only_when(F::keyboard_type, 1);
}

constexpr Row kScannerRows[] = {
    word("scan_mode", F::scan_mode, texts::scan_mode, IDC_SCAN_MODE),
    word("read_redundancy", F::read_redundancy, texts::read_redundancy, IDC_READ_REDUNDANCY),
    word("delay_between_reread", F::delay_between_reread, texts::delay_between_reread,
         IDC_DELAY_BETWEEN_REREAD),
    number("scanner_timeout", F::scanner_timeout, IDC_SCANNER_TIMEOUT),
    flag("disable_buzzer", F::disable_buzzer, IDC_DISABLE_BUZZER),
    word("buzzer_frequency", F::buzzer_frequency, texts::buzzer_frequency, IDC_BUZZER_FREQUENCY)
        .only_when(F::disable_buzzer, 0),
    flag("transmit_buffer", F::transmit_buffer, IDC_TRANSMIT_BUFFER),
    word("transmission_delay", F::transmission_delay, texts::transmission_delay,
         IDC_TRANSMISSION_DELAY)
        .only_when(F::transmit_buffer, 1),
    flag("memory_scanner", F::memory_scanner, IDC_MEMORY_SCANNER),
    word("memory_scanner_data_delay", F::memory_scanner_data_delay,
         texts::memory_scanner_data_delay, IDC_DATA_DELAY)
        .only_when(F::memory_scanner, 1),
    flag("read_negative_barcode", F::read_negative_barcode, IDC_READ_NEGATIVE_BARCODE),
};

// Every interface's options, whichever is selected: a file keeps them all.
constexpr Row kInterfaceRows[] = {
    wedge({"keyboard_type", K::keyboard_type, F::keyboard_type, 0, {}, IDC_KEYBOARD_TYPE}),
    rs232(word("transmission_mode", F::transmission_mode, texts::transmission_mode,
               IDC_TRANSMISSION_MODE)),
    rs232(word("baud_rate", F::baud_rate, texts::baud_rate, IDC_BAUD_RATE)),
    rs232(word("parity", F::parity, texts::parity, IDC_PARITY)),
    rs232(word("data_bit", F::data_bit, texts::data_bit, IDC_DATA_BIT)),
    rs232(word("flow_control", F::flow_control, texts::flow_control, IDC_FLOW_CONTROL))
        .only_when(F::transmission_mode, 0),
    rs232(number("inter_character_delay", F::inter_character_delay, IDC_INTER_CHARACTER_DELAY)),
    wand(word("margin_time", F::margin_time, texts::margin_time, IDC_MARGIN_TIME)),
    wand(word("module_time", F::module_time, texts::module_time, IDC_MODULE_TIME)),
    wand(word("normal_state", F::normal_state, texts::wand_state, IDC_NORMAL_STATE)),
    wand(word("bar_state", F::bar_state, texts::wand_state, IDC_BAR_STATE)),
    wand(word("pdf417_block_delay", F::pdf417_block_delay, texts::pdf417_block_delay,
              IDC_PDF417_BLOCK_DELAY)),
    wedge(word("alphabets_transmission", F::alphabets_transmission, texts::alphabets_transmission,
               IDC_ALPHABETS_TRANSMISSION)),
    wedge({"capital_lock_type", K::layout_word, F::capital_lock_type, 0, texts::capital_lock_type,
           IDC_CAPITAL_LOCK_TYPE}),
    wedge(word("alphabets_layout", F::alphabets_layout, texts::alphabets_layout,
               IDC_ALPHABETS_LAYOUT)),
    wedge(flag("capital_lock_auto_detection", F::capital_lock_auto_detection,
               IDC_CAPITAL_LOCK_AUTO_DETECTION)),
    wedge(flag("alternate_composing", F::alternate_composing, IDC_ALTERNATE_COMPOSING)),
    wedge(word("digits_transmission", F::digits_transmission, texts::digits_transmission,
               IDC_DIGITS_TRANSMISSION)),
    wedge(flag("capital_lock_state", F::capital_lock_state, IDC_CAPITAL_LOCK_STATE)),
    wedge({"digits_layout", K::layout_word, F::digits_layout, 0, texts::digits_layout,
           IDC_DIGITS_LAYOUT}),
    wedge(flag("laptop_support", F::laptop_support, IDC_LAPTOP_SUPPORT)),
};

constexpr Row kSymbologyRows[] = {key("prefix_code", KeySlot::prefix_code, IDC_PREFIX_CODE),
                                  key("suffix_code", KeySlot::suffix_code, IDC_SUFFIX_CODE)};

// A symbology's enable bit, on the Symbology page; the page lists the symbologies in an order of
// its own.
constexpr Row enable(const char* name, Field field, int box) {
    return flag(name, field, IDC_SYMBOLOGY_FIRST + box).in(kSymbologyPage);
}

// The options of a symbology show and are written while it is enabled.
constexpr Row kCode39Rows[] = {
    enable("enable_code_39", F::enable_code_39, 0),
    flag("code_39_full_ascii", F::code_39_full_ascii, IDC_CODE39_FULL_ASCII),
    flag("code_39_transmit_start_stop", F::code_39_transmit_start_stop,
         IDC_CODE39_TRANSMIT_START_STOP),
    flag("code_39_verify_checksum", F::code_39_verify_checksum, IDC_CODE39_VERIFY_CHECKSUM),
    flag("code_39_transmit_checksum", F::code_39_transmit_checksum, IDC_CODE39_TRANSMIT_CHECKSUM),
};
constexpr Row kItalianPharmacodeRows[] = {
    enable("enable_italian_pharmacode", F::enable_italian_pharmacode, 1),
    flag("italian_pharmacode_transmit_checksum", F::italian_pharmacode_transmit_checksum,
         IDC_PHARMACODE_TRANSMIT_CHECKSUM),
};
constexpr Row kFrenchPharmacodeRows[] = {
    enable("enable_french_pharmacode", F::enable_french_pharmacode, 2),
    flag("french_pharmacode_transmit_checksum", F::french_pharmacode_transmit_checksum,
         IDC_PHARMACODE_TRANSMIT_CHECKSUM),
};
constexpr Row kCodabarRows[] = {
    enable("enable_codabar", F::enable_codabar, 6),
    word("codabar_start_stop_character", F::codabar_start_stop_character,
         texts::codabar_start_stop_character, IDC_CODABAR_START_STOP_FIRST),
    flag("codabar_transmit_start_stop", F::codabar_transmit_start_stop,
         IDC_CODABAR_TRANSMIT_START_STOP),
    flag("codabar_clsi_conversion", F::codabar_clsi_conversion, IDC_CODABAR_CLSI_CONVERSION),
};
constexpr Row kCode93Rows[] = {enable("enable_code_93", F::enable_code_93, 7)};
constexpr Row kCode128Rows[] = {enable("enable_code_128", F::enable_code_128, 15)};
constexpr Row kEan128Rows[] = {
    enable("enable_ean_128", F::enable_ean_128, 14),
    key("field_separator", KeySlot::field_separator, IDC_FIELD_SEPARATOR),
};
// After their add-on variants.
constexpr Row kUpceRows[] = {
    flag("upce_convert_to_upca", F::upce_convert_to_upca, IDC_UPCE_CONVERT_TO_UPCA),
    flag("upce_transmit_checksum", F::upce_transmit_checksum, IDC_UPCE_TRANSMIT_CHECKSUM),
    flag("upce_transmit_system_number", F::upce_transmit_system_number,
         IDC_UPCE_TRANSMIT_SYSTEM_NUMBER),
    word("upce_system_number", F::upce_system_number, texts::upce_system_number,
         IDC_UPCE_SYSTEM_NUMBER_FIRST),
};
constexpr Row kEan8Rows[] = {
    flag("ean_8_convert_to_ean_13", F::ean_8_convert_to_ean_13, IDC_EAN8_CONVERT_TO_EAN13),
    flag("ean_8_transmit_checksum", F::ean_8_transmit_checksum, IDC_EAN8_TRANSMIT_CHECKSUM),
};
constexpr Row kEan13Rows[] = {
    flag("isbn_conversion", F::isbn_conversion, IDC_EAN13_ISBN_CONVERSION),
    flag("issn_conversion", F::issn_conversion, IDC_EAN13_ISSN_CONVERSION),
    flag("ean_13_transmit_checksum", F::ean_13_transmit_checksum, IDC_EAN13_TRANSMIT_CHECKSUM),
};
constexpr Row kUpcaRows[] = {
    flag("upca_convert_to_ean_13", F::upca_convert_to_ean_13, IDC_UPCA_CONVERT_TO_EAN13),
    flag("upca_transmit_checksum", F::upca_transmit_checksum, IDC_UPCA_TRANSMIT_CHECKSUM),
    flag("upca_transmit_system_number", F::upca_transmit_system_number,
         IDC_UPCA_TRANSMIT_SYSTEM_NUMBER),
};
constexpr Row kMsiRows[] = {
    enable("enable_msi", F::enable_msi, 12),
    word("msi_checksum_verification", F::msi_checksum_verification,
         texts::msi_checksum_verification, IDC_MSI_VERIFICATION_FIRST),
    word("msi_checksum_transmission", F::msi_checksum_transmission,
         texts::msi_checksum_transmission, IDC_MSI_TRANSMISSION_FIRST),
    word("msi_length_mode", F::msi_length_mode, texts::length_mode, IDC_MSI_FIXED_LENGTH),
    number("msi_length_1", F::msi_length_1, IDC_LENGTH_1),
    number("msi_length_2", F::msi_length_2, IDC_LENGTH_2),
};
constexpr Row kPlesseyRows[] = {
    enable("enable_plessey", F::enable_plessey, 13),
    flag("convert_to_uk_plessey", F::convert_to_uk_plessey, IDC_PLESSEY_CONVERT_TO_UK),
    flag("plessey_transmit_checksum", F::plessey_transmit_checksum, IDC_PLESSEY_TRANSMIT_CHECKSUM),
};
constexpr Row kPdf417Rows[] = {
    key("pdf417_escape_character", KeySlot::pdf417_escape_character, IDC_PDF417_ESCAPE_CHARACTER),
    key("pdf417_prefix_code", KeySlot::pdf417_prefix_code, IDC_PDF417_PREFIX_CODE),
    key("pdf417_suffix_code", KeySlot::pdf417_suffix_code, IDC_PDF417_SUFFIX_CODE),
};

// Each symbology's table, in the order a text lists them; a 2-of-5 symbology's rows are its
// TwoOfFive.
struct SymbologyRows {
    Symbology symbology;
    std::span<const Row> rows = {};
};
constexpr SymbologyRows kSymbologyTables[] = {
    {Symbology::code_39, kCode39Rows},
    {Symbology::italian_pharmacode, kItalianPharmacodeRows},
    {Symbology::french_pharmacode, kFrenchPharmacodeRows},
    {Symbology::industrial_25},
    {Symbology::interleave_25},
    {Symbology::matrix_25},
    {Symbology::codabar, kCodabarRows},
    {Symbology::code_93, kCode93Rows},
    {Symbology::code_128, kCode128Rows},
    {Symbology::ean_128, kEan128Rows},
    {Symbology::upce, kUpceRows},
    {Symbology::ean_8, kEan8Rows},
    {Symbology::ean_13, kEan13Rows},
    {Symbology::upca, kUpcaRows},
    {Symbology::msi, kMsiRows},
    {Symbology::plessey, kPlesseyRows},
    {Symbology::pdf417, kPdf417Rows},
};

// An editing format's own settings, by their offset in its block; its switch comes first.
constexpr Row kEditFormatRows[] = {
    at("minimum_length", K::number_16, kMinimumLengthOffset, IDC_MINIMUM_LENGTH),
    at("maximum_length", K::number_16, kMaximumLengthOffset, IDC_MAXIMUM_LENGTH),
    at("matching_string", K::key_string, kMatchingStringOffset, IDC_MATCHING_STRING),
    at("matching_string_location", K::number_16, kMatchingStringLocationOffset,
       IDC_MATCHING_STRING_LOCATION),
    at("number_of_fields_minus_1", K::number, kNumberOfFieldsOffset, IDC_NUMBER_OF_FIELDS)
        .in(kFieldSettingsPage),
};
// After the additional fields.
constexpr Row kTransmissionSequence =
    at("transmission_sequence", K::sequence, kTransmissionSequenceOffset, IDC_SEQUENCE)
        .in(kTransmissionSequencePage);

// By their offset in the divider.
constexpr Row kFieldDividerRows[] = {
    at("include_terminating_string", K::word, 0, IDC_INCLUDE_TERMINATING_STRING,
       texts::terminating_string),
    at("field_length", K::number_16, kFieldLengthOffset, IDC_FIELD_LENGTH),
    at("terminating_string", K::key_string, kTerminatingStringOffset, IDC_TERMINATING_STRING),
};

// The seventh format only travels with the record: nothing shows it and the Edit page keeps it
// off.
constexpr Row kSeventhFormat = {
    .name = "enable_editing_format_7",
    .kind = K::flag,
    .field = F::enable_editing_format_7,
    .missing = {.tree = "the seventh editing format is shown nowhere",
                .sheet = "the sheet has no token for the seventh format",
                .control = "the Edit page keeps the seventh format off",
                .text = "nothing the user can set; its bits travel in [bytes]"},
};

// A condition on a whole byte that no Field names.
SettingCondition byte_is(std::size_t offset, unsigned value) {
    return {{Field::count, static_cast<std::uint16_t>(offset), 7, 0}, value};
}

class Schema {
  public:
    Schema();

    std::vector<NamedSetting> rows;
    std::vector<NamedSetting> settings;                    // the named rows
    std::unordered_map<std::string, std::size_t> by_name;  // "table name"
    std::set<std::string, std::less<>> tables;

  private:
    // A table of rows whose controls lie in `window`, shown while `when` holds.
    struct Table {
        std::string name;
        const char* window = nullptr;
        std::vector<SettingCondition> when = {};
        std::size_t base = 0;  // where the rows' offsets count from
    };

    void add(const Table& table, const Row& row);
    void insert(NamedSetting setting);
    void add_all(const Table& table, std::span<const Row> rows);
    void add_symbologies();
    void add_variants(const Table& table, const SymbologyInfo& info);
    void add_two_of_five(const Table& table, const SymbologyInfo& info, const TwoOfFive& options);
    void add_editing_format(int n);
};

std::string lookup_key(std::string_view table, std::string_view name) {
    return std::string(table) + ' ' + std::string(name);
}

void Schema::add(const Table& table, const Row& row) {
    NamedSetting setting{table.name, row.name, row.kind, table.base + row.offset, 7, 0, row.words};
    if (row.field != Field::count) {
        const FieldLayout& layout = field_layout(row.field);
        setting.offset = layout.offset;
        setting.high_bit = layout.high_bit;
        setting.low_bit = layout.low_bit;
    }
    setting.field = row.field;
    if (row.control != 0) {
        setting.control = {row.window ? row.window : table.window, row.control};
    }
    setting.conditions = table.when;
    for (int i = 0; i < row.conditions; ++i) {
        setting.conditions.push_back({field_layout(row.when[i].field), row.when[i].value});
    }
    setting.missing = row.missing;
    insert(std::move(setting));
}

void Schema::insert(NamedSetting setting) {
    rows.push_back(setting);
    if (setting.missing.text) {
        return;
    }
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

void Schema::add_all(const Table& table, std::span<const Row> rows) {
    for (const Row& row : rows) {
        add(table, row);
    }
}

// A symbology's options show while it is enabled: by its enable bit, or for a UPC or EAN family
// by its "No Addon" variant. Its enable bits themselves show whatever they hold.
void Schema::add_symbologies() {
    for (const auto& [symbology, rows] : kSymbologyTables) {
        const SymbologyInfo& info = symbology_info(symbology);
        Table table = {std::string("symbology.") + info.key, info.parameter_dialog};
        if (!info.enables.empty()) {
            table.when.push_back({field_layout(info.enables.front()), 1});
        }
        if (const TwoOfFive* options = two_of_five(symbology)) {
            add_two_of_five(table, info, *options);
        }
        add_variants({table.name, table.window}, info);
        for (const Row& row : rows) {
            const bool enables = std::find(info.enables.begin(), info.enables.end(), row.field) !=
                                 info.enables.end();
            add(enables ? Table{table.name, table.window} : table, row);
        }
    }
    for (std::size_t s = 0; s < std::size(kSymbologies); ++s) {
        const std::string name = std::string("length_code_") + kSymbologies[s].key;
        add({"length_code", kLengthCodePage}, flag(name.c_str(), kSymbologies[s].length_code,
                                                   IDC_LENGTH_CODE_FIRST + static_cast<int>(s)));
    }
    for (int entry = 0; entry < kCodeIds; ++entry) {
        const SymbologyInfo& info = symbology_info(kCodeIdSymbologies[entry]);
        const std::string name = std::string("code_id_") + info.key;
        add({"code_id", kCodeIdPage}, key(name.c_str(), info.code_id, IDC_CODE_ID_FIRST + entry));
    }
}

// A UPC or EAN family's add-on variants, its dialog's first three boxes.
void Schema::add_variants(const Table& table, const SymbologyInfo& info) {
    constexpr const char* kVariantNames[] = {"_no_addon", "_addon_2", "_addon_5"};
    for (std::size_t v = 0; info.enables.size() == std::size(kVariantNames) && v < 3; ++v) {
        const std::string name = info.key + std::string(kVariantNames[v]);
        add(table, flag(name.c_str(), info.enables[v], IDC_NO_ADDON + static_cast<int>(v)));
    }
}

void Schema::add_two_of_five(const Table& table, const SymbologyInfo& info,
                             const TwoOfFive& options) {
    const Row rows[] = {
        word("start_stop_selection", options.start_stop_selection, texts::start_stop_selection,
             IDC_25_START_STOP_FIRST),
        flag("verify_checksum", options.verify_checksum, IDC_25_VERIFY_CHECKSUM),
        flag("transmit_checksum", options.transmit_checksum, IDC_25_TRANSMIT_CHECKSUM),
        flag("transmit_first_0", options.transmit_first_0, IDC_25_TRANSMIT_FIRST_0),
        word("length_mode", options.lengths.mode, texts::length_mode, IDC_25_FIXED_LENGTH),
        number("length_1", options.lengths.first, IDC_LENGTH_1),
        number("length_2", options.lengths.second, IDC_LENGTH_2),
    };
    const std::string key = info.key;
    add({table.name, table.window},
        enable(("enable_" + key).c_str(), info.enables.front(), options.symbology_box));
    for (Row row : rows) {
        const std::string name = key + "_" + row.name;
        row.name = name.c_str();
        if (row.field != Field::count) {
            add(table, row);
        }
    }
}

// A format's settings show and are written while it is enabled; a field divider only while the
// format counts that many fields.
void Schema::add_editing_format(int n) {
    const std::size_t block = edit_format_offset(n - 1);
    const Table format = {"editing_format." + std::to_string(n),
                          kApplicableConditionsPage,
                          {{field_layout(enable_editing_format_field(n)), 1}},
                          block};
    add({format.name, kEditPage}, flag("enable_editing_format", enable_editing_format_field(n),
                                       IDC_ENABLE_FORMAT_FIRST + n - 1));
    add_all(format, kEditFormatRows);
    for (int a = 1; a <= kAdditionalFields; ++a) {
        const std::string name = "additional_field_" + std::to_string(a);
        add(format, at(name.c_str(), K::key_string, additional_field_offset(a),
                       IDC_ADDITIONAL_FIELD_FIRST + a - 1)
                        .in(kFieldSettingsPage));
    }
    add(format, kTransmissionSequence);
    for (int type = 0; type < kCodeTypeCount; ++type) {
        const CodeType& code_type = kCodeTypes[type];
        NamedSetting bit{format.name + ".applicable_code_type",
                         code_type.key,
                         K::flag,
                         block + code_type.byte,
                         code_type.bit,
                         code_type.bit};
        bit.control = {kApplicableConditionsPage, IDC_CODE_TYPE_FIRST + type};
        bit.conditions = format.when;
        insert(std::move(bit));
    }
    for (int f = 1; f <= kFieldDividers; ++f) {
        Table divider = format;
        divider.name += ".field_divider." + std::to_string(f);
        divider.window = kFieldsParametersDialog;
        divider.when.push_back(byte_is(block + kNumberOfFieldsOffset, kFieldDividers));
        divider.base = block + field_divider_offset(f);
        add_all(divider, kFieldDividerRows);
    }
}

Schema::Schema() {
    add_all({"scanner", kScannerPage}, kScannerRows);
    add_all({"interface", kInterfacePage}, kInterfaceRows);
    add_all({"symbology", kSymbologyPage}, kSymbologyRows);
    add_symbologies();
    // A substitution is written only while both its strings are set: each needs the other's key.
    for (int n = 1; n <= kSubstitutions; ++n) {
        Table table = {"data_substitution." + std::to_string(n), kEditPage};
        table.when = {byte_is(replaced_by_offset(n), 'A')};
        add(table, at("string_to_be_replaced", K::key_string, string_to_be_replaced_offset(n),
                      IDC_STRING_TO_BE_REPLACED_FIRST + n - 1));
        table.when = {byte_is(string_to_be_replaced_offset(n), 'A')};
        add(table,
            at("replaced_by", K::key_string, replaced_by_offset(n), IDC_REPLACED_BY_FIRST + n - 1));
    }
    add({"data_editing", kEditPage},
        flag("editing_exclusive", F::editing_exclusive, IDC_EDITING_EXCLUSIVE));
    for (int n = 1; n <= kEditingFormats; ++n) {
        add_editing_format(n);
    }
    add({"data_editing"}, kSeventhFormat);
}

const Schema& schema() {
    static const Schema built;
    return built;
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

std::span<const NamedSetting> setting_rows() {
    return schema().rows;
}

SettingsRecord record_showing(const NamedSetting& setting) {
    SettingsRecord record = factory_record();
    for (const SettingCondition& condition : setting.conditions) {
        record.set(condition.bits, condition.value);
    }
    return record;
}

void change_setting(SettingsRecord& record, const NamedSetting& setting) {
    const auto bytes = std::span(record.bytes).subspan(setting.offset);
    if (setting.kind == K::key_string) {
        const std::uint8_t key = bytes[0] == 'Q' ? 'R' : 'Q';
        std::fill_n(bytes.begin(), kKeyStringSize, std::uint8_t{0});
        bytes[0] = key;
        return;
    }
    if (setting.kind == K::sequence) {
        bytes[0] = bytes[0] == 1 ? 2 : 1;  // [F2] for [F1], or the other way round
        bytes[1] = 0;
        return;
    }
    const unsigned now = setting_number(record, setting);
    const bool worded = !setting_words(setting).empty();
    for (unsigned value = 0; value <= setting_maximum(setting); ++value) {
        if (value != now && (!worded || setting_word(setting, value))) {
            set_setting_number(record, setting, value);
            return;
        }
    }
}

unsigned setting_number(const SettingsRecord& record, const NamedSetting& setting) {
    if (setting.kind == K::number_16) {
        return read_le16(record.bytes, setting.offset);
    }
    return record.get(setting.bits());
}

void set_setting_number(SettingsRecord& record, const NamedSetting& setting, unsigned value) {
    if (setting.kind == K::number_16) {
        write_le16(record.bytes, setting.offset, value);
        return;
    }
    record.set(setting.bits(), value);
}

unsigned setting_maximum(const NamedSetting& setting) {
    return setting.kind == K::number_16 ? 0xFFFF : setting.bits().max_value();
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
            if (value >= 1 && value <= std::size(texts::keyboard_names)) {
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
