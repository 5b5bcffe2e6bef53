#include "sheet/sheet_rows.h"

#include "sheet/sheet_tokens.h"

namespace tessmar {
namespace {

bool differs(const SheetSource& source, Field field) {
    return source.record.get(field) != source.snapshot.get(field);
}

bool enabled(const SheetSource& source, std::span<const Field> masters) {
    for (const Field master : masters) {
        if (source.record.get(master) == 1) {
            return true;
        }
    }
    return false;
}

bool holds(const Condition& condition, const SheetSource& source, const SheetSection& section) {
    switch (condition.kind) {
        case Condition::always:
            return true;
        case Condition::field_is:
            return source.record.get(condition.field) == condition.value;
        case Condition::section_enabled:
            return enabled(source, section.masters);
    }
    return false;
}

// The token of an option's value; empty when the value has no word.
std::string option_token(const OptionRow& row, unsigned value) {
    const Coding& coding = row.coding;
    if (value >= coding.words.size() || coding.words[value] == nullptr ||
        (!coding.codes.empty() && value >= coding.codes.size())) {
        return {};
    }
    const int code = coding.codes.empty() ? coding.code_0 + coding.step * static_cast<int>(value)
                                          : coding.codes[value];
    return setup_token(static_cast<unsigned>(code), fill_caption(row.caption, coding.words[value]));
}

// Each row kind: its entry, or nothing when the row is not written.
struct RowEntry {
    const SheetSource& source;
    const SheetSection& section;

    std::string operator()(const OptionRow& row) const {
        if (!holds(row.condition, source, section) || !differs(source, row.field)) {
            return {};
        }
        const unsigned value = source.record.get(row.field);
        std::string entry = option_token(row, value);
        if (row.with_number && !entry.empty()) {
            entry += FormatNumberTokens(value);
        }
        return entry;
    }
    std::string operator()(const NumberRow& row) const {
        if (!holds(row.condition, source, section) || !differs(source, row.field)) {
            return {};
        }
        return setup_token(row.code, row.caption) +
               FormatNumberTokens(source.record.get(row.field));
    }
    std::string operator()(const LengthRow& row) const {
        if (!holds(row.condition, source, section) || !differs(source, row.field)) {
            return {};
        }
        const char* caption = source.record.get(row.mode) ? row.caption_mode_1 : row.caption_mode_0;
        return setup_token(row.code, caption) + FormatNumberTokens(source.record.get(row.field));
    }
    std::string operator()(const KeyStringRow& row) const {
        const KeyString slot = source.record.key_string(row.slot);
        if (!holds(row.condition, source, section) ||
            !key_strings_differ(slot, source.snapshot.key_string(row.slot))) {
            return {};
        }
        return setup_token(row.code, row.caption) + key_string_tokens(slot, source.interface_class);
    }
    std::string operator()(const InterfaceRow& row) const {
        if (source.snapshot.get(Field::keyboard_type) == row.keyboard_type) {
            return {};
        }
        return setup_token(row.code, row.caption);
    }
};

}  // namespace

void write_section(SheetWriter& writer, const SheetSource& source, const SheetSection& section) {
    writer.begin_section(section.heading);
    for (const SheetRow& row : section.rows) {
        const std::string entry = std::visit(RowEntry{source, section}, row);
        if (!entry.empty()) {
            writer.write(entry);
        }
    }
}

}  // namespace tessmar
