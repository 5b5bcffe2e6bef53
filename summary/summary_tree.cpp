#include "summary/summary_tree.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/key_string.h"
#include "model/little_endian.h"
#include "model/symbologies.h"
#include "model/two_of_five.h"
#include "model/value_texts.h"

namespace tessmar {
namespace {

using F = Field;
using K = KeySlot;
using V = ValueSource;

// One line of a table. `pattern` is the line with "%s" standing for the value; `depth` places it
// under the last line of the depth above (0: directly under the table's parent).
struct LineSpec {
    const char* pattern;
    LineSource source = {};
    int depth = 0;
    // When set, the line is present only while this field is 0.
    Field only_when_zero = Field::count;
};

constexpr LineSource from_field(ValueSource kind, Field field, TextList list = {}) {
    return {kind, field, 0, 0, list};
}
constexpr LineSource at_offset(ValueSource kind, std::size_t offset, TextList list = {}) {
    return {kind, Field::count, static_cast<std::uint16_t>(offset), 0, list};
}

constexpr LineSpec fixed(const char* pattern) {
    return {pattern};
}
constexpr LineSpec listed(const char* pattern, Field field, TextList list) {
    return {pattern, from_field(V::field_text, field, list)};
}
constexpr LineSpec enabled(const char* pattern, Field field) {
    return listed(pattern, field, texts::enable_disable);
}
constexpr LineSpec by_layout_index(const char* pattern, Field field, TextList list) {
    return {pattern, from_field(V::layout_text, field, list)};
}
constexpr LineSpec number(const char* pattern, Field field) {
    return {pattern, from_field(V::field_number, field)};
}
constexpr LineSpec key(const char* pattern, KeySlot slot) {
    return {pattern, at_offset(V::key_string, offset_of(slot))};
}
// The qualification whose mode is `mode`, with its two lengths under it.
constexpr LineSpec length_qualification(Field mode) {
    return {"Select %s Length Qualification", from_field(V::length_mode, mode)};
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
    {"Flow Control : %s", from_field(V::field_text, F::flow_control, texts::flow_control), 0,
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
    {"Keyboard Type : %s", from_field(V::keyboard_type, F::keyboard_type)},
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

// Up to the 2-of-5 symbologies.
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
};

// After the 2-of-5 symbologies.
constexpr LineSpec kSymbologyLinesAfterTwoOfFive[] = {
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

const InterfaceBranch& interface_branch_of(unsigned keyboard_type) {
    const InterfaceClass kind = derive_interface_class(keyboard_type);
    const auto* chosen = std::find_if(std::begin(kInterfaceBranches), std::end(kInterfaceBranches),
                                      [kind](const InterfaceBranch& b) { return b.kind == kind; });
    assert(chosen != std::end(kInterfaceBranches));
    return *chosen;
}

struct LengthKind {
    const char* name;
    const char* first;
    const char* second;
};

constexpr LengthKind kFixedLengths = {"Fixed", "Fixed Length 1 : %s", "Fixed Length 2 : %s"};
constexpr LengthKind kMaxMinLengths = {"Max / Min", "Max Length : %s", "Min Length : %s"};

const LengthKind& length_kind(unsigned mode) {
    return mode ? kMaxMinLengths : kFixedLengths;
}

std::string enable_text(unsigned value) {
    return value_text(texts::enable_disable, value);
}

std::string number_text(unsigned value) {
    return std::to_string(value);
}

KeyString key_string_at(const SettingsRecord& record, std::size_t offset) {
    return KeyString(record.bytes.data() + offset, kKeyStringSize);
}

std::string value_of(const LineSource& source, const SettingsRecord& record,
                     InterfaceClass interface_class) {
    const std::size_t at = source.offset;
    switch (source.kind) {
        case V::none:
            return {};
        case V::field_text:
            return value_text(source.list, record.get(source.field));
        case V::layout_text:
            return value_text(source.list, display_index_of_layout_value(record.get(source.field)));
        case V::field_number:
            return number_text(record.get(source.field));
        case V::keyboard_type:
            return keyboard_type_name(record.get(source.field));
        case V::interface_name:
            return interface_branch_of(record.get(source.field)).name;
        case V::length_mode:
            return length_kind(record.get(source.field)).name;
        case V::key_string:
            return key_string_text(key_string_at(record, at), interface_class);
        case V::number:
            return number_text(read_le16(record.bytes, at));
        case V::count:
            return number_text(record.bytes[at] + 1u);
        case V::bit:
            return enable_text((record.bytes[at] >> source.bit) & 1u);
        case V::byte_text:
            return value_text(source.list, record.bytes[at]);
        case V::divider:
            return read_le16(record.bytes, at) != 0 ? "Field Length" : "Field Terminating String";
        case V::sequence:
            return render_transmission_sequence(
                std::span<const std::uint8_t, kTransmissionSequenceSize>(
                    record.bytes.data() + at, kTransmissionSequenceSize));
    }
    return {};
}

// `pattern` with `value` in place of "%s", cut to the longest line the tree shows.
std::string formatted(const std::string& pattern, std::string_view value) {
    std::string text = pattern;
    if (const std::size_t at = text.find("%s"); at != std::string::npos) {
        text.replace(at, 2, value);
    }
    if (text.size() > kMaxSummaryLineChars) {
        text.resize(kMaxSummaryLineChars);
    }
    return text;
}

// A line whose key is `pattern` and whose value is not the record's.
SummaryNode line(std::string pattern, std::string_view value = {}) {
    std::string text = formatted(pattern, value);
    return {std::move(text), std::move(pattern), {}};
}

// A line whose value is read from the state's record through `source`.
SummaryNode line(std::string pattern, const LineSource& source, const ProgramState& state) {
    SummaryNode node =
        line(std::move(pattern), value_of(source, state.record, state.interface_class));
    node.source = source;
    return node;
}

const LengthFields& length_fields_of(Field mode) {
    const auto* found = std::find_if(std::begin(length_fields::all), std::end(length_fields::all),
                                     [mode](const LengthFields& row) { return row.mode == mode; });
    assert(found != std::end(length_fields::all));
    return *found;
}

SummaryNode line_of(const LineSpec& row, const ProgramState& state) {
    SummaryNode node = line(row.pattern, row.source, state);
    if (row.source.kind == V::length_mode) {
        const LengthFields& fields = length_fields_of(row.source.field);
        const LengthKind& kind = length_kind(state.record.get(fields.mode));
        node.children.push_back(line(kind.first, from_field(V::field_number, fields.first), state));
        node.children.push_back(
            line(kind.second, from_field(V::field_number, fields.second), state));
    }
    return node;
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

// The three 2-of-5 symbologies come from their rows, each with the same lines under its name.
SummaryNode symbology_branch(const ProgramState& state) {
    SummaryNode node = branch("Symbology", kSymbologyLines, state);
    for (const TwoOfFive& options : kTwoOfFive) {
        const SymbologyInfo& info = symbology_info(options.symbology);
        SummaryNode& symbology = node.children.emplace_back(
            line(std::string("%s ") + info.name,
                 from_field(V::field_text, info.enables.front(), texts::enable_disable), state));
        const LineSpec option_lines[] = {
            listed("Start / Stop Selection : %s", options.start_stop_selection,
                   texts::start_stop_selection),
            enabled("Verify Checksum : %s", options.verify_checksum),
            enabled("Transmit Checksum : %s", options.transmit_checksum),
            enabled("Transmit First 0 : %s", options.transmit_first_0),
            length_qualification(options.lengths.mode),
        };
        for (const LineSpec& row : option_lines) {
            if (row.source.field != Field::count) {
                symbology.children.push_back(line_of(row, state));
            }
        }
    }
    append_lines(node, kSymbologyLinesAfterTwoOfFive, state);
    return node;
}

SummaryNode interface_branch(const ProgramState& state) {
    SummaryNode node = line("Interface");
    node.children.push_back(
        line("Scanner Interface : %s", from_field(V::interface_name, F::keyboard_type), state));
    append_lines(node, interface_branch_of(state.record.get(F::keyboard_type)).lines, state);
    return node;
}

SummaryNode length_code_branch(const ProgramState& state) {
    SummaryNode node = line("Length Code");
    for (const SymbologyInfo& info : kSymbologies) {
        node.children.push_back(
            line(std::string(info.name) + " : %s",
                 from_field(V::field_text, info.length_code, texts::enable_disable), state));
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
        node.children.push_back(line(std::string(info.name) + " : %s",
                                     at_offset(V::key_string, offset_of(info.code_id)), state));
    }
    return node;
}

SummaryNode data_substitution(const ProgramState& state) {
    SummaryNode node = line("Data Substitution");
    for (int n = 1; n <= kSubstitutions; ++n) {
        SummaryNode substitution = line("Substitution " + std::to_string(n));
        substitution.children.push_back(
            line("String to be Replaced : %s",
                 at_offset(V::key_string, string_to_be_replaced_offset(n)), state));
        substitution.children.push_back(
            line("Relplaced By : %s", at_offset(V::key_string, replaced_by_offset(n)), state));
        node.children.push_back(std::move(substitution));
    }
    return node;
}

// `block` is where an editing-format block lies in the record; its lines read the record there.
SummaryNode applicable_conditions(std::size_t block, const ProgramState& state) {
    SummaryNode code_types = line("Applicable code type");
    for (const CodeType& type : kCodeTypes) {
        LineSource bit = at_offset(V::bit, block + type.byte);
        bit.bit = type.bit;
        code_types.children.push_back(
            line(type.summary_pattern ? type.summary_pattern : std::string(type.name) + " : %s",
                 bit, state));
    }
    SummaryNode node = line("Applicable Conditions");
    node.children.push_back(std::move(code_types));
    node.children.push_back(
        line("Minimum Length : %s", at_offset(V::number, block + kMinimumLengthOffset), state));
    node.children.push_back(
        line("Maximum Length : %s", at_offset(V::number, block + kMaximumLengthOffset), state));
    node.children.push_back(line("Matching String : %s",
                                 at_offset(V::key_string, block + kMatchingStringOffset), state));
    node.children.push_back(line("Matching String Location : %s",
                                 at_offset(V::number, block + kMatchingStringLocationOffset),
                                 state));
    return node;
}

// `divider` is where a field divider lies in the record: its include flag first.
SummaryNode field_setting(int f, std::size_t divider, const ProgramState& state) {
    const std::size_t length = divider + kFieldLengthOffset;
    SummaryNode node = line("Field " + std::to_string(f) + " Setting");
    node.children.push_back(line("Divide Field by %s", at_offset(V::divider, length), state));
    if (read_le16(state.record.bytes, length) != 0) {
        node.children.push_back(line("Field Length : %s", at_offset(V::number, length), state));
    } else {
        node.children.push_back(line("Field Terminating String : %s",
                                     at_offset(V::key_string, divider + kTerminatingStringOffset),
                                     state));
        node.children.push_back(line("%s Terminating String",
                                     at_offset(V::byte_text, divider, texts::terminating_string),
                                     state));
    }
    return node;
}

SummaryNode field_settings(std::size_t block, const ProgramState& state) {
    const unsigned dividers = state.record.bytes[block + kNumberOfFieldsOffset];
    SummaryNode node = line("Field Settings");
    node.children.push_back(
        line("Number of Fields : %s", at_offset(V::count, block + kNumberOfFieldsOffset), state));
    // A block from a file or a scanner may count more fields than the block has dividers for.
    const int shown = std::min(static_cast<int>(dividers), kFieldDividers);
    for (int f = 1; f <= shown; ++f) {
        node.children.push_back(field_setting(f, block + field_divider_offset(f), state));
    }
    SummaryNode additional = line("Additional Fields");
    for (int a = 1; a <= kAdditionalFields; ++a) {
        additional.children.push_back(
            line("Additional Field " + std::to_string(a) + " : %s",
                 at_offset(V::key_string, block + additional_field_offset(a)), state));
    }
    node.children.push_back(std::move(additional));
    return node;
}

SummaryNode editing_format(int n, const ProgramState& state) {
    const std::size_t block = edit_format_offset(n - 1);
    SummaryNode node = line(
        "%s Editing Format " + std::to_string(n),
        from_field(V::field_text, enable_editing_format_field(n), texts::enable_disable), state);
    node.children.push_back(applicable_conditions(block, state));
    node.children.push_back(field_settings(block, state));
    node.children.push_back(line("Transmission Sequence : %s",
                                 at_offset(V::sequence, block + kTransmissionSequenceOffset),
                                 state));
    return node;
}

SummaryNode edit_format_branch(const ProgramState& state) {
    SummaryNode data_editing = line("Data Editing");
    data_editing.children.push_back(
        line("%s Exclusive", from_field(V::field_text, F::editing_exclusive, texts::enable_disable),
             state));
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
    root.children.push_back(symbology_branch(state));
    root.children.push_back(length_code_branch(state));
    root.children.push_back(code_id_branch(state));
    root.children.push_back(edit_format_branch(state));
    return root;
}

LineReads line_reads(const SummaryNode& line) {
    const LineSource& source = line.source;
    switch (source.kind) {
        case V::none:
            return {};
        case V::field_text:
        case V::layout_text:
        case V::field_number:
        case V::keyboard_type:
        case V::interface_name:
        case V::length_mode:
            return {field_layout(source.field).offset, 1};
        case V::key_string:
            return {source.offset, kKeyStringMaxBytes, true};
        case V::number:
        case V::divider:
            return {source.offset, 2};
        case V::count:
        case V::bit:
        case V::byte_text:
            return {source.offset, 1};
        case V::sequence:
            return {source.offset, kTransmissionSequenceSize};
    }
    return {};
}

std::string line_text(const SummaryNode& line, const SettingsRecord& record,
                      InterfaceClass interface_class) {
    if (line.source.kind == V::none) {
        return line.text;
    }
    return formatted(line.key, value_of(line.source, record, interface_class));
}

std::string summary_text(const SummaryNode& root) {
    std::string out;
    append_text(root, 0, out);
    return out;
}

}  // namespace tessmar
