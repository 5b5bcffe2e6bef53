// The sections of editing formats 1 to 6: what each format applies to, how it divides the data
// into fields, its additional fields and its transmission sequence.
#include <algorithm>
#include <string>

#include "model/key_string.h"
#include "model/symbologies.h"
#include "sheet/sheet_sections.h"
#include "sheet/sheet_tokens.h"

namespace tessmar {
namespace {

// Field divider n's tokens; its action code is `include_code` for Include and one more for
// Discard.
struct FieldTokens {
    int length_code;
    int terminating_string_code;
    int include_code;
};
constexpr FieldTokens kFieldTokens[kFieldDividers] = {
    {554, 555, 552}, {558, 559, 556}, {562, 563, 560}, {566, 567, 564}, {570, 571, 568},
};
constexpr int kFirstAdditionalFieldCode = 572;
constexpr int kTotalFieldsBase = 578;

constexpr const char* kApplicableConditions = "\r\nApplicable Conditions Settings\r\n";
constexpr const char* kFieldsSettings = "\r\nFields Settings\r\n";
constexpr const char* kAdditionalFieldsSettings = "\r\nAdditional Fields Settings\r\n";
constexpr const char* kTransmissionSequenceSettings = "\r\nTransmission Sequence Settings\r\n";

std::string number_entry(int code, std::string_view caption, unsigned value) {
    return setup_token(static_cast<unsigned>(code), caption) + FormatNumberTokens(value);
}

class FormatSection {
  public:
    FormatSection(SheetWriter& writer, ConstEditFormatBlock block, ConstEditFormatBlock defaults,
                  InterfaceClass interface_class)
        : writer_(writer), block_(block), defaults_(defaults), interface_class_(interface_class) {}

    void write_all() {
        write_applicable_code_types();
        write_lengths();
        write_matching_string();
        write_fields();
        write_additional_fields();
        write_transmission_sequence();
    }

  private:
    std::string key_string_entry(int code, std::string_view caption, KeyString slot) const {
        return setup_token(static_cast<unsigned>(code), caption) +
               key_string_tokens(slot, interface_class_);
    }

    // Clear All, then the code types the format applies to, unless it applies to all of them.
    void write_applicable_code_types() {
        std::string applicable;
        int count = 0;
        for (const CodeType& type : kCodeTypes) {
            if ((block_.applicable_code_types(type.byte) >> type.bit) & 1u) {
                applicable += setup_token(static_cast<unsigned>(type.setup_code), type.name);
                ++count;
            }
        }
        if (count < kCodeTypeCount) {
            writer_.write("9991<Clear All>" + applicable, kApplicableConditions);
        }
    }

    void write_lengths() {
        std::string lengths;
        if (block_.minimum_length() != defaults_.minimum_length()) {
            lengths += number_entry(549, "Min Length", block_.minimum_length());
        }
        if (block_.maximum_length() != defaults_.maximum_length()) {
            lengths += number_entry(548, "Max Length", block_.maximum_length());
        }
        if (!lengths.empty()) {
            writer_.write(lengths, kApplicableConditions);
        }
    }

    void write_matching_string() {
        if (key_strings_differ(block_.matching_string(), defaults_.matching_string())) {
            writer_.write(key_string_entry(550, "Matching String", block_.matching_string()),
                          kApplicableConditions);
        }
        if (block_.matching_string_location() != defaults_.matching_string_location()) {
            writer_.write(number_entry(551, "M.String Location", block_.matching_string_location()),
                          kApplicableConditions);
        }
    }

    void write_fields() {
        const unsigned fields_minus_1 = block_.number_of_fields_minus_1();
        // A count past six fields has no token of its own: its code would name a code type.
        if (fields_minus_1 != defaults_.number_of_fields_minus_1() &&
            fields_minus_1 < static_cast<unsigned>(kMaxFields)) {
            writer_.write(setup_token(static_cast<unsigned>(kTotalFieldsBase) + fields_minus_1,
                                      "Total Fields"),
                          kFieldsSettings);
        }
        for (int n = 1; n <= kFieldDividers; ++n) {
            write_field_divider(n);
        }
    }

    // A field cut by its length has no terminating string to write, and the other way round.
    void write_field_divider(int n) {
        const ConstFieldDivider divider = block_.field_divider(n);
        const ConstFieldDivider original = defaults_.field_divider(n);
        const FieldTokens& tokens = kFieldTokens[n - 1];
        const auto field = static_cast<unsigned>(n);
        if (divider.field_length() != 0) {
            if (divider.field_length() != original.field_length()) {
                writer_.write(number_entry(tokens.length_code,
                                           numbered_caption("Field %d Length", field),
                                           divider.field_length()));
            }
            return;
        }
        if (key_strings_differ(divider.terminating_string(), original.terminating_string())) {
            writer_.write(key_string_entry(tokens.terminating_string_code,
                                           numbered_caption("Field %d T.String", field),
                                           divider.terminating_string()));
        }
        const unsigned include = divider.include_terminating_string();
        // Only 0 (Discard) and 1 (Include) mean something to the scanner.
        if (include != original.include_terminating_string() && include <= 1) {
            const unsigned code = static_cast<unsigned>(tokens.include_code) + (include ? 0 : 1);
            writer_.write(setup_token(code, include ? "Include T.String" : "Discard T.String"));
        }
    }

    void write_additional_fields() {
        for (int a = 1; a <= kAdditionalFields; ++a) {
            if (key_strings_differ(block_.additional_field(a), defaults_.additional_field(a))) {
                writer_.write(key_string_entry(
                                  kFirstAdditionalFieldCode + a - 1,
                                  numbered_caption("Additional Field %d", static_cast<unsigned>(a)),
                                  block_.additional_field(a)),
                              kAdditionalFieldsSettings);
            }
        }
    }

    void write_transmission_sequence() {
        const auto sequence = block_.transmission_sequence();
        if (std::ranges::equal(sequence, defaults_.transmission_sequence())) {
            return;
        }
        std::string entry = "0577<Start>";
        // Tokens that name no field have no item: their codes mean other settings.
        for (const unsigned token : transmission_sequence_tokens(sequence)) {
            entry += field_token_setup_item(token);
        }
        entry += "9994<End>";
        writer_.write(entry, kTransmissionSequenceSettings);
    }

    SheetWriter& writer_;
    ConstEditFormatBlock block_;
    ConstEditFormatBlock defaults_;
    InterfaceClass interface_class_;
};

std::string format_header(unsigned k) {
    std::string header = numbered_caption("\r\n\r\nEditing Format %d Settings\r\n", k);
    return header + setup_token(9980 + k, numbered_caption("Select Format %d", k));
}

ConstEditFormatBlock block_view(const EditFormatBytes& bytes) {
    return ConstEditFormatBlock(std::span<const std::uint8_t, kEditFormatBlockSize>(bytes));
}

}  // namespace

void write_editing_format_sections(SheetWriter& writer, ProgramState& state) {
    for (int k = 1; k <= kEditingFormats; ++k) {
        const auto block = static_cast<std::size_t>(k - 1);
        std::ranges::copy(state.record.edit_format(k - 1).bytes(), state.ef_staging[block].begin());
        std::ranges::copy(state.defaults_snapshot.edit_format(k - 1).bytes(),
                          state.default_edit_formats[block].begin());
        if (state.record.get(enable_editing_format_field(k)) == 0) {
            continue;
        }
        writer.begin_section(format_header(static_cast<unsigned>(k)));
        FormatSection(writer, block_view(state.ef_staging[block]),
                      block_view(state.default_edit_formats[block]), state.interface_class)
            .write_all();
        if (writer.section_written()) {
            writer.write_frame(
                numbered_caption("\r\n9980<End of Format %d>", static_cast<unsigned>(k)));
        }
    }
}

}  // namespace tessmar
