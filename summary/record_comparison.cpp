#include "summary/record_comparison.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <initializer_list>
#include <string_view>

namespace tessmar {
namespace {

using ShownBytes = std::bitset<kRecordSize>;

const std::size_t kKeyboardTypeByte = field_layout(Field::keyboard_type).offset;

// Reads the lines of `summary` (that of `side`) again with each differing byte they read taken
// from `other`, one byte at a time, and marks in `shown` the bytes that change a line. A shape
// change (another interface, more fields) always changes the text of a line that reads the same
// byte too (the interface's name, the number of fields), so the lines alone tell.
class ShownByteFinder {
  public:
    ShownByteFinder(const ProgramState& side, const SettingsRecord& other, ShownBytes& shown)
        : side_(side), other_(other), mixed_(side.record), shown_(shown) {}

    void lines_under(const SummaryNode& node) {
        for (const SummaryNode& line : node.children) {
            const LineReads reads = line_reads(line);
            for (std::size_t offset = reads.first; offset < reads.first + reads.count; ++offset) {
                try_byte(line, offset);
            }
            if (reads.interface_form) {
                try_byte(line, kKeyboardTypeByte);
            }
            lines_under(line);
        }
    }

  private:
    void try_byte(const SummaryNode& line, std::size_t offset) {
        const std::uint8_t own = side_.record.bytes[offset];
        if (own == other_.bytes[offset] || shown_[offset]) {
            return;
        }
        mixed_.bytes[offset] = other_.bytes[offset];
        // The record is read as a read-back loads it: another keyboard type may be another
        // interface, whose form the key strings then take.
        const InterfaceClass interface_class =
            offset == kKeyboardTypeByte ? derive_interface_class(mixed_.get(Field::keyboard_type))
                                        : side_.interface_class;
        if (line_text(line, mixed_, interface_class) != line.text) {
            shown_.set(offset);
        }
        mixed_.bytes[offset] = own;
    }

    const ProgramState& side_;
    const SettingsRecord& other_;
    SettingsRecord mixed_;
    ShownBytes& shown_;
};

constexpr char kAbsent[] = "-";
// The value of a line that has none but its presence.
constexpr char kPresent[] = "(present)";

void trim(std::string& text, const char* blanks) {
    text.erase(0, std::min(text.find_first_not_of(blanks), text.size()));
    const std::size_t last = text.find_last_not_of(blanks);
    text.erase(last == std::string::npos ? 0 : last + 1);
}

// A line's name, from its key: what stands before its colon ("Scanner Timeout: %s sec" gives
// "Scanner Timeout"), or the key without its value ("%s Industrial 25" gives "Industrial 25").
std::string setting_name(const std::string& key) {
    std::string name = key.substr(0, key.find(':'));
    if (const std::size_t at = name.find("%s"); at != std::string::npos) {
        name.erase(at, 2);
    }
    for (std::size_t at = name.find("  "); at != std::string::npos; at = name.find("  ")) {
        name.erase(at, 1);
    }
    trim(name, " ");
    return name;
}

// What stands in place of "%s" in a line, with the unit after it ("Scanner Timeout: %s sec"
// gives "77 sec"). A line without a value has its presence; a line cut short is all value.
std::string line_value(const std::string& key, const std::string& text) {
    const std::size_t at = key.find("%s");
    if (at == std::string::npos) {
        return kPresent;
    }
    const std::string prefix = key.substr(0, at);
    const std::string suffix = key.substr(at + 2);
    std::string value = text;
    if (!prefix.empty() && text.starts_with(prefix)) {
        value = text.substr(prefix.size());
    } else if (prefix.empty() && text.size() > suffix.size() && text.ends_with(suffix)) {
        value = text.substr(0, text.size() - suffix.size());
    }
    trim(value, " ");
    return value;
}

ComparisonRow line_row(const SummaryDifference& difference) {
    ComparisonRow row;
    row.setting = setting_name(difference.key);
    for (auto part = difference.place.rbegin(); part != difference.place.rend(); ++part) {
        row.place += (row.place.empty() ? "" : ", ") + setting_name(*part);
    }
    row.ours = difference.a ? line_value(difference.key, *difference.a) : kAbsent;
    row.theirs = difference.b ? line_value(difference.key, *difference.b) : kAbsent;
    return row;
}

}  // namespace

std::string byte_name(std::size_t offset) {
    char text[32];
    std::snprintf(text, sizeof text, "Byte %zu (0x%04zX)", offset, offset);
    return text;
}

std::string byte_value(std::uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

std::vector<ComparisonRow> comparison_rows(const RecordComparison& comparison) {
    std::vector<ComparisonRow> rows;
    for (const SummaryDifference& difference : comparison.lines) {
        rows.push_back(line_row(difference));
    }
    for (const ByteDifference& byte : comparison.unshown_bytes) {
        rows.push_back({byte_name(byte.offset), "shown by no line", byte_value(byte.ours),
                        byte_value(byte.theirs)});
    }
    return rows;
}

std::string comparison_table_text(const std::vector<ComparisonRow>& rows) {
    std::string text;
    const auto add_line = [&text](std::initializer_list<std::string_view> cells) {
        const char* separator = "";
        for (const std::string_view cell : cells) {
            text.append(separator).append(cell);
            separator = "\t";
        }
        text += "\r\n";
    };
    const auto& titles = kComparisonColumns;
    add_line({titles[0], titles[1], titles[2], titles[3]});
    for (const ComparisonRow& row : rows) {
        add_line({row.setting, row.place, row.ours, row.theirs});
    }
    return text;
}

RecordComparison compare_records(const ProgramState& ours, const SettingsRecord& theirs) {
    ProgramState scanner = ours;
    load_settings_bytes(scanner, theirs.bytes);
    const SummaryNode our_summary = build_summary(ours);
    const SummaryNode their_summary = build_summary(scanner);

    RecordComparison comparison;
    comparison.lines = diff_summaries(our_summary, their_summary);
    ShownBytes shown;
    if (!comparison.lines.empty()) {
        ShownByteFinder(ours, theirs, shown).lines_under(our_summary);
        ShownByteFinder(scanner, ours.record, shown).lines_under(their_summary);
    }
    for (std::size_t offset = 0; offset < kRecordSize; ++offset) {
        const std::uint8_t our_byte = ours.record.bytes[offset];
        const std::uint8_t their_byte = theirs.bytes[offset];
        if (our_byte != their_byte && !shown[offset]) {
            comparison.unshown_bytes.push_back({offset, our_byte, their_byte});
        }
    }
    return comparison;
}

}  // namespace tessmar
