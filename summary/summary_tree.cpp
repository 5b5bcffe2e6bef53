#include "summary/summary_tree.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/key_string.h"
#include "model/symbologies.h"
#include "model/value_texts.h"

namespace tessmar {
namespace {

using F = Field;
using K = KeySlot;

// How a line shows its value.
enum class Shown : std::uint8_t {
    nothing,               // a fixed text
    text,                  // the field's value looked up in `list`
    layout_text,           // as `text`, by display index (capital lock type, digits layout)
    number,                // the field's value in decimal
    keyboard_type,         // the name of keyboard type n
    key_string,            // the key string in `slot`, in the form of the current interface
    length_qualification,  // the qualification whose mode is `field`, with its two lengths
};

// One line of a table. `pattern` is the line with "%s" standing for the value; `depth` places it
// under the last line of the depth above (0: directly under the table's parent).
struct LineSpec {
    const char* pattern;
    Shown shown = Shown::nothing;
    Field field = Field::count;
    TextList list = {};
    KeySlot slot{};
    int depth = 0;
    // When set, the line is present only while this field is 0.
    Field only_when_zero = Field::count;
};

constexpr LineSpec fixed(const char* pattern) {
    return {pattern};
}
constexpr LineSpec listed(const char* pattern, Field field, TextList list) {
    return {pattern, Shown::text, field, list};
}
constexpr LineSpec enabled(const char* pattern, Field field) {
    return listed(pattern, field, texts::enable_disable);
}
constexpr LineSpec by_layout_index(const char* pattern, Field field, TextList list) {
    return {pattern, Shown::layout_text, field, list};
}
constexpr LineSpec number(const char* pattern, Field field) {
    return {pattern, Shown::number, field};
}
constexpr LineSpec key(const char* pattern, KeySlot slot) {
    return {pattern, Shown::key_string, Field::count, {}, slot};
}
constexpr LineSpec length_qualification(Field mode) {
    return {"Select %s Length Qualification", Shown::length_qualification, mode};
}
constexpr LineSpec sub(LineSpec line) {
    ++line.depth;
    return line;
}

constexpr LineSpec kInformationLines[] = {
    fixed("Scanner Model : Velkor Orlo"),
    fixed("Version : 2.05"),
    fixed("Copyright (C) Velkor. All rights reserved."),
};

constexpr LineSpec kScannerLines[] = {
    listed("Scan Mode : %s", F::scan_mode, texts::scan_mode),
    listed("Read Redundancy : %s", F::read_redundancy, texts::read_redundancy),
    listed("Delay between Reread : %s", F::delay_between_reread, texts::delay_between_reread),
    number("Scanner Timeout: %s sec", F::scanner_timeout),
    listed("Disable Buzzer : %s", F::disable_buzzer, texts::buzzer_state),
    listed("Buzzer Frequency : %s khz", F::buzzer_frequency, texts::buzzer_frequency),
    enabled("Transmit Buffer : %s", F::transmit_buffer),
    listed("Transmission Delay : %s", F::transmission_delay, texts::transmission_delay),
    enabled("Memory Scanner : %s", F::memory_scanner),
    listed("Memory Scanner Data Delay : %s", F::memory_scanner_data_delay,
           texts::memory_scanner_data_delay),
    enabled("Read Negative Barcode : %s", F::read_negative_barcode),
};

constexpr LineSpec kRs232Lines[] = {
    listed("Transmission Mode : %s", F::transmission_mode, texts::transmission_mode),
    listed("Baud Rate : %s bps", F::baud_rate, texts::baud_rate),
    listed("Parity : %s", F::parity, texts::parity),
    listed("Data Bit : %s bits", F::data_bit, texts::data_bit),
    // Flow control applies to a single port only.
    {"Flow Control : %s",
     Shown::text,
     F::flow_control,
     texts::flow_control,
     {},
     0,
     F::transmission_mode},
    number("Inter-Character Delay : %s ms", F::inter_character_delay),
};

constexpr LineSpec kWandLines[] = {
    listed("Margin Time : %s", F::margin_time, texts::margin_time),
    listed("Module Time : %s", F::module_time, texts::module_time),
    listed("Normal State : %s", F::normal_state, texts::wand_state),
    listed("Bar State : %s", F::bar_state, texts::wand_state),
    listed("PDF 417 Block Delay : %s", F::pdf417_block_delay, texts::pdf417_block_delay),
};

constexpr LineSpec kKeyboardWedgeLines[] = {
    {"Keyboard Type : %s", Shown::keyboard_type, F::keyboard_type},
    listed("Alphabets Transmission : %s", F::alphabets_transmission, texts::alphabets_transmission),
    by_layout_index("Capital Lock Type : %s", F::capital_lock_type, texts::capital_lock_type),
    listed("Alphabets Layout : %s", F::alphabets_layout, texts::alphabets_layout),
    listed("Capital Lock Auto-Dection : %s", F::capital_lock_auto_detection, texts::off_on),
    enabled("Alternate Composing : %s", F::alternate_composing),
    listed("Digits Transmission : %s", F::digits_transmission, texts::digits_transmission),
    listed("Capital Lock State : %s", F::capital_lock_state, texts::off_on),
    by_layout_index("Digits Layout : %s", F::digits_layout, texts::digits_layout),
    number("Inter-Character Delay : %s ms", F::inter_character_delay),
    enabled("Laptop Support : %s", F::laptop_support),
};

struct InterfaceBranch {
    InterfaceClass kind;
    const char* name;
    std::span<const LineSpec> lines;
};

constexpr InterfaceBranch kInterfaceBranches[] = {
    {InterfaceClass::rs232, "RS-232", kRs232Lines},
    {InterfaceClass::wand_emulation, "Wand Emulation", kWandLines},
    {InterfaceClass::keyboard_wedge, "Keyboard Wedge", kKeyboardWedgeLines},
};

constexpr LineSpec kSymbologyLines[] = {
    key("Prefix Code : %s", K::prefix_code),
    key("Suffix Code : %s", K::suffix_code),
    enabled("%s Code 39", F::enable_code_39),
    sub(enabled("Code 39 Full ASCII : %s", F::code_39_full_ascii)),
    sub(enabled("Transmit Start / Stop : %s", F::code_39_transmit_start_stop)),
    sub(enabled("Verify Checksum : %s", F::code_39_verify_checksum)),
    sub(enabled("Transmit Checksum : %s", F::code_39_transmit_checksum)),
    enabled("%s Italian Pharmacode", F::enable_italian_pharmacode),
    sub(enabled("Transmit Checksum : %s", F::italian_pharmacode_transmit_checksum)),
    enabled("%s French Pharmacode", F::enable_french_pharmacode),
    sub(enabled("Transmit Checksum : %s", F::french_pharmacode_transmit_checksum)),
    enabled("%s Industrial 25", F::enable_industrial_25),
    sub(listed("Start / Stop Selection : %s", F::industrial_25_start_stop_selection,
               texts::start_stop_selection)),
    sub(enabled("Verify Checksum : %s", F::industrial_25_verify_checksum)),
    sub(enabled("Transmit Checksum : %s", F::industrial_25_transmit_checksum)),
    sub(length_qualification(F::industrial_25_length_mode)),
    enabled("%s Interleave 25", F::enable_interleave_25),
    sub(listed("Start / Stop Selection : %s", F::interleave_25_start_stop_selection,
               texts::start_stop_selection)),
    sub(enabled("Verify Checksum : %s", F::interleave_25_verify_checksum)),
    sub(enabled("Transmit Checksum : %s", F::interleave_25_transmit_checksum)),
    sub(enabled("Transmit First 0 : %s", F::interleave_25_transmit_first_0)),
    sub(length_qualification(F::interleave_25_length_mode)),
    enabled("%s Matrix 25", F::enable_matrix_25),
    sub(listed("Start / Stop Selection : %s", F::matrix_25_start_stop_selection,
               texts::start_stop_selection)),
    sub(enabled("Verify Checksum : %s", F::matrix_25_verify_checksum)),
    sub(enabled("Transmit Checksum : %s", F::matrix_25_transmit_checksum)),
    sub(length_qualification(F::matrix_25_length_mode)),
    enabled("%s Codabar", F::enable_codabar),
    sub(listed("Start / Stop Character : %s", F::codabar_start_stop_character,
               texts::codabar_start_stop_character)),
    sub(enabled("Transmit Start / Stop : %s", F::codabar_transmit_start_stop)),
    sub(enabled("CLSI Conversion : %s", F::codabar_clsi_conversion)),
    enabled("%s Code 93", F::enable_code_93),
    enabled("%s Code 128", F::enable_code_128),
    enabled("%s EAN 128", F::enable_ean_128),
    sub(key("Field Separator : %s", K::field_separator)),
    fixed("UPCE"),
    sub(enabled("UPCE No Addon : %s", F::upce_no_addon)),
    sub(enabled("UPCE Addon 2 : %s", F::upce_addon_2)),
    sub(enabled("UPCE Addon 5 : %s", F::upce_addon_5)),
    sub(enabled("Convert to UPCA : %s", F::upce_convert_to_upca)),
    sub(enabled("Transmit Checksum : %s", F::upce_transmit_checksum)),
    sub(enabled("Transmit System Number : %s", F::upce_transmit_system_number)),
    sub(listed("System Number : %s", F::upce_system_number, texts::upce_system_number)),
    fixed("EAN 8"),
    sub(enabled("EAN 8 No Addon : %s", F::ean_8_no_addon)),
    sub(enabled("EAN 8 Addon 2 : %s", F::ean_8_addon_2)),
    sub(enabled("EAN 8 Addon 5 : %s", F::ean_8_addon_5)),
    sub(enabled("Convert to EAN 13 : %s", F::ean_8_convert_to_ean_13)),
    sub(enabled("Transmit Checksum : %s", F::ean_8_transmit_checksum)),
    fixed("EAN 13"),
    sub(enabled("EAN 13 No Addon : %s", F::ean_13_no_addon)),
    sub(enabled("EAN 13 Addon 2 : %s", F::ean_13_addon_2)),
    sub(enabled("EAN 13 Addon 5 : %s", F::ean_13_addon_5)),
    sub(enabled("ISBN Conversion : %s", F::isbn_conversion)),
    sub(enabled("ISSN Conversion : %s", F::issn_conversion)),
    sub(enabled("Transmit Checksum : %s", F::ean_13_transmit_checksum)),
    fixed("UPCA"),
    sub(enabled("UPCA No Addon : %s", F::upca_no_addon)),
    sub(enabled("UPCA Addon 2 : %s", F::upca_addon_2)),
    sub(enabled("UPCA Addon 5 : %s", F::upca_addon_5)),
    sub(enabled("Convert to EAN 13: %s", F::upca_convert_to_ean_13)),
    sub(enabled("Transmit Checksum : %s", F::upca_transmit_checksum)),
    sub(enabled("Transmit System Number : %s", F::upca_transmit_system_number)),
    enabled("%s MSI", F::enable_msi),
    sub(listed("Checksum Verification : %s", F::msi_checksum_verification,
               texts::msi_checksum_verification)),
    sub(listed("Checksum Transmission : %s", F::msi_checksum_transmission,
               texts::msi_checksum_transmission)),
    sub(length_qualification(F::msi_length_mode)),
    enabled("%s Plessey", F::enable_plessey),
    sub(enabled("Convert to UK Plessey : %s", F::convert_to_uk_plessey)),
    sub(enabled("Transmit Checksum : %s", F::plessey_transmit_checksum)),
    fixed("PDF 417"),
    sub(key("Escape Character : %s", K::pdf417_escape_character)),
    sub(key("Prefix Code : %s", K::pdf417_prefix_code)),
    sub(key("Suffix Code : %s", K::pdf417_suffix_code)),
};

struct LengthKind {
    const char* name;
    const char* first;
    const char* second;
};

constexpr LengthKind kFixedLengths = {"Fixed", "Fixed Length 1 : %s", "Fixed Length 2 : %s"};
constexpr LengthKind kMaxMinLengths = {"Max / Min", "Max Length : %s", "Min Length : %s"};

// A line whose key is `pattern`; its text is the pattern with the value in place of "%s", cut to
// the longest line the tree shows.
SummaryNode line(std::string pattern, std::string_view value = {}) {
    std::string text = pattern;
    if (const std::size_t at = text.find("%s"); at != std::string::npos) {
        text.replace(at, 2, value);
    }
    if (text.size() > kMaxSummaryLineChars) {
        text.resize(kMaxSummaryLineChars);
    }
    return {std::move(text), std::move(pattern), {}};
}

std::string enable_text(unsigned value) {
    return value_text(texts::enable_disable, value);
}

std::string number_text(unsigned value) {
    return std::to_string(value);
}

const LengthFields& length_fields_of(Field mode) {
    const auto* found = std::find_if(std::begin(length_fields::all), std::end(length_fields::all),
                                     [mode](const LengthFields& row) { return row.mode == mode; });
    assert(found != std::end(length_fields::all));
    return *found;
}

SummaryNode length_qualification_node(const LineSpec& row, const SettingsRecord& record) {
    const LengthFields& fields = length_fields_of(row.field);
    const LengthKind& kind = record.get(fields.mode) ? kMaxMinLengths : kFixedLengths;
    SummaryNode node = line(row.pattern, kind.name);
    node.children.push_back(line(kind.first, number_text(record.get(fields.first))));
    node.children.push_back(line(kind.second, number_text(record.get(fields.second))));
    return node;
}

SummaryNode line_of(const LineSpec& row, const ProgramState& state) {
    const SettingsRecord& record = state.record;
    const auto value = [&] { return record.get(row.field); };
    switch (row.shown) {
        case Shown::nothing:
            return line(row.pattern);
        case Shown::text:
            return line(row.pattern, value_text(row.list, value()));
        case Shown::layout_text:
            return line(row.pattern, value_text(row.list, display_index_of_layout_value(value())));
        case Shown::number:
            return line(row.pattern, number_text(value()));
        case Shown::keyboard_type:
            return line(row.pattern, keyboard_type_name(value()));
        case Shown::key_string:
            return line(row.pattern,
                        key_string_text(record.key_string(row.slot), state.interface_class));
        case Shown::length_qualification:
            return length_qualification_node(row, record);
    }
    return line(row.pattern);
}

bool present(const LineSpec& row, const SettingsRecord& record) {
    return row.only_when_zero == Field::count || record.get(row.only_when_zero) == 0;
}

// Appends the table's lines under `parent`, each under the last line one level above it.
void append_lines(SummaryNode& parent, std::span<const LineSpec> specs, const ProgramState& state) {
    for (const LineSpec& row : specs) {
        if (!present(row, state.record)) {
            continue;
        }
        SummaryNode* under = &parent;
        for (int level = 0; level < row.depth && !under->children.empty(); ++level) {
            under = &under->children.back();
        }
        under->children.push_back(line_of(row, state));
    }
}

SummaryNode branch(const char* title, std::span<const LineSpec> specs, const ProgramState& state) {
    SummaryNode node = line(title);
    append_lines(node, specs, state);
    return node;
}

SummaryNode interface_branch(const ProgramState& state) {
    const InterfaceClass kind = derive_interface_class(state.record.get(F::keyboard_type));
    const auto* chosen = std::find_if(std::begin(kInterfaceBranches), std::end(kInterfaceBranches),
                                      [kind](const InterfaceBranch& b) { return b.kind == kind; });
    SummaryNode node = line("Interface");
    node.children.push_back(line("Scanner Interface : %s", chosen->name));
    append_lines(node, chosen->lines, state);
    return node;
}

SummaryNode length_code_branch(const ProgramState& state) {
    SummaryNode node = line("Length Code");
    for (const SymbologyInfo& info : kSymbologies) {
        node.children.push_back(line(std::string(info.name) + " : %s",
                                     enable_text(state.record.get(info.length_code))));
    }
    return node;
}

SummaryNode code_id_branch(const ProgramState& state) {
    SummaryNode node = line("Code ID");
    if (state.code_id_set != 0) {
        node.children.push_back(line("Select Code ID Set %s", std::to_string(state.code_id_set)));
    }
    for (int entry = 0; entry < kCodeIds; ++entry) {
        const SymbologyInfo& info = symbology_info(kCodeIdSymbologies[entry]);
        node.children.push_back(
            line(std::string(info.name) + " : %s",
                 key_string_text(state.record.key_string(info.code_id), state.interface_class)));
    }
    return node;
}

SummaryNode data_substitution(const ProgramState& state) {
    const SettingsRecord& record = state.record;
    SummaryNode node = line("Data Substitution");
    for (int n = 1; n <= kSubstitutions; ++n) {
        SummaryNode substitution = line("Substitution " + std::to_string(n));
        substitution.children.push_back(
            line("String to be Replaced : %s",
                 key_string_text(record.string_to_be_replaced(n), state.interface_class)));
        substitution.children.push_back(line(
            "Relplaced By : %s", key_string_text(record.replaced_by(n), state.interface_class)));
        node.children.push_back(std::move(substitution));
    }
    return node;
}

SummaryNode applicable_conditions(ConstEditFormatBlock block, InterfaceClass interface_class) {
    SummaryNode code_types = line("Applicable code type");
    for (const CodeType& type : kCodeTypes) {
        const unsigned bit = (block.applicable_code_types(type.byte) >> type.bit) & 1u;
        code_types.children.push_back(
            line(type.summary_pattern ? type.summary_pattern : std::string(type.name) + " : %s",
                 enable_text(bit)));
    }
    SummaryNode node = line("Applicable Conditions");
    node.children.push_back(std::move(code_types));
    node.children.push_back(line("Minimum Length : %s", number_text(block.minimum_length())));
    node.children.push_back(line("Maximum Length : %s", number_text(block.maximum_length())));
    node.children.push_back(
        line("Matching String : %s", key_string_text(block.matching_string(), interface_class)));
    node.children.push_back(
        line("Matching String Location : %s", number_text(block.matching_string_location())));
    return node;
}

SummaryNode field_setting(int f, ConstFieldDivider divider, InterfaceClass interface_class) {
    SummaryNode node = line("Field " + std::to_string(f) + " Setting");
    if (divider.field_length() != 0) {
        node.children.push_back(line("Divide Field by %s", "Field Length"));
        node.children.push_back(line("Field Length : %s", number_text(divider.field_length())));
    } else {
        node.children.push_back(line("Divide Field by %s", "Field Terminating String"));
        node.children.push_back(
            line("Field Terminating String : %s",
                 key_string_text(divider.terminating_string(), interface_class)));
        node.children.push_back(
            line("%s Terminating String",
                 value_text(texts::terminating_string, divider.include_terminating_string())));
    }
    return node;
}

SummaryNode field_settings(ConstEditFormatBlock block, InterfaceClass interface_class) {
    const unsigned dividers = block.number_of_fields_minus_1();
    SummaryNode node = line("Field Settings");
    node.children.push_back(line("Number of Fields : %s", number_text(dividers + 1)));
    // A block from a file or a scanner may count more fields than the block has dividers for.
    const int shown = std::min(static_cast<int>(dividers), kFieldDividers);
    for (int f = 1; f <= shown; ++f) {
        node.children.push_back(field_setting(f, block.field_divider(f), interface_class));
    }
    SummaryNode additional = line("Additional Fields");
    for (int a = 1; a <= kAdditionalFields; ++a) {
        additional.children.push_back(
            line("Additional Field " + std::to_string(a) + " : %s",
                 key_string_text(block.additional_field(a), interface_class)));
    }
    node.children.push_back(std::move(additional));
    return node;
}

SummaryNode editing_format(int n, const ProgramState& state) {
    const ConstEditFormatBlock block = state.record.edit_format(n - 1);
    SummaryNode node = line("%s Editing Format " + std::to_string(n),
                            enable_text(state.record.get(enable_editing_format_field(n))));
    node.children.push_back(applicable_conditions(block, state.interface_class));
    node.children.push_back(field_settings(block, state.interface_class));
    node.children.push_back(line("Transmission Sequence : %s",
                                 render_transmission_sequence(block.transmission_sequence())));
    return node;
}

SummaryNode edit_format_branch(const ProgramState& state) {
    SummaryNode data_editing = line("Data Editing");
    data_editing.children.push_back(
        line("%s Exclusive", enable_text(state.record.get(F::editing_exclusive))));
    for (int n = 1; n <= kEditingFormats; ++n) {
        data_editing.children.push_back(editing_format(n, state));
    }
    SummaryNode node = line("Edit Format");
    node.children.push_back(data_substitution(state));
    node.children.push_back(std::move(data_editing));
    return node;
}

void append_text(const SummaryNode& node, std::size_t depth, std::string& out) {
    for (const SummaryNode& child : node.children) {
        out.append(2 * depth, ' ');
        out += child.text;
        out += '\n';
        append_text(child, depth + 1, out);
    }
}

}  // namespace

SummaryNode build_summary(const ProgramState& state) {
    SummaryNode root;
    root.children.push_back(branch("Information", kInformationLines, state));
    root.children.push_back(branch("Scanner", kScannerLines, state));
    root.children.push_back(interface_branch(state));
    root.children.push_back(branch("Symbology", kSymbologyLines, state));
    root.children.push_back(length_code_branch(state));
    root.children.push_back(code_id_branch(state));
    root.children.push_back(edit_format_branch(state));
    return root;
}

std::string summary_text(const SummaryNode& root) {
    std::string out;
    append_text(root, 0, out);
    return out;
}

}  // namespace tessmar
