#include "summary/record_comparison.h"

#include <cstdio>
#include <span>

namespace tessmar {
namespace {

bool same_tree(const SummaryNode& a, const SummaryNode& b) {
    if (a.text != b.text || a.children.size() != b.children.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.children.size(); ++i) {
        if (!same_tree(a.children[i], b.children[i])) {
            return false;
        }
    }
    return true;
}

// Whether `state`'s summary changes when byte `offset` of its record takes `value`. The record
// is loaded as a read-back loads it, so a changed interface byte changes the interface class too.
bool byte_shows(const ProgramState& state, const SummaryNode& summary, std::size_t offset,
                std::uint8_t value) {
    ProgramState changed = state;
    std::array<std::uint8_t, kRecordSize> bytes = state.record.bytes;
    bytes[offset] = value;
    load_settings_bytes(changed, bytes);
    return !same_tree(build_summary(changed), summary);
}

constexpr char kAbsent[] = "-";
// The value of a line that has none but its presence.
constexpr char kPresent[] = "(present)";

std::string trimmed(std::string text) {
    const auto last = text.find_last_not_of(" :");
    text.erase(last == std::string::npos ? 0 : last + 1);
    text.erase(0, text.find_first_not_of(' ') == std::string::npos ? text.size()
                                                                   : text.find_first_not_of(' '));
    return text;
}

// A line's label and value, taken apart by its key: the text around "%s" is the label ("Scan
// Mode : %s"), and what stands in its place the value, with the unit after it ("Scanner
// Timeout: %s sec" gives "77 sec"). A line cut short, or one without a value, is all label.
std::pair<std::string, std::string> label_and_value(const std::string& key,
                                                    const std::string& text) {
    const std::size_t at = key.find("%s");
    if (at == std::string::npos) {
        return {text, kPresent};
    }
    const std::string prefix = key.substr(0, at);
    const std::string suffix = key.substr(at + 2);
    if (!prefix.empty() && text.starts_with(prefix)) {
        return {trimmed(prefix), text.substr(prefix.size())};
    }
    if (prefix.empty() && text.size() > suffix.size() && text.ends_with(suffix)) {
        return {trimmed(suffix), text.substr(0, text.size() - suffix.size())};
    }
    return {text, kPresent};
}

ComparisonRow line_row(const SummaryDifference& difference) {
    const std::string& shown = difference.a ? *difference.a : *difference.b;
    const auto [label, value] = label_and_value(difference.key, shown);
    ComparisonRow row;
    for (const std::string& part : difference.path) {
        row.setting += part + " > ";
    }
    row.setting += label;
    row.ours = difference.a ? label_and_value(difference.key, *difference.a).second : kAbsent;
    row.theirs = difference.b ? label_and_value(difference.key, *difference.b).second : kAbsent;
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
        rows.push_back({byte_name(byte.offset) + ", shown by no line", byte_value(byte.ours),
                        byte_value(byte.theirs)});
    }
    return rows;
}

RecordComparison compare_records(const ProgramState& ours, const SettingsRecord& theirs) {
    ProgramState scanner = ours;
    load_settings_bytes(scanner, theirs.bytes);
    const SummaryNode our_summary = build_summary(ours);
    const SummaryNode their_summary = build_summary(scanner);

    RecordComparison comparison;
    comparison.lines = diff_summaries(our_summary, their_summary);
    for (std::size_t offset = 0; offset < kRecordSize; ++offset) {
        const std::uint8_t our_byte = ours.record.bytes[offset];
        const std::uint8_t their_byte = theirs.bytes[offset];
        if (our_byte == their_byte) {
            continue;
        }
        const bool shown =
            !comparison.lines.empty() && (byte_shows(ours, our_summary, offset, their_byte) ||
                                          byte_shows(scanner, their_summary, offset, our_byte));
        if (!shown) {
            comparison.unshown_bytes.push_back({offset, our_byte, their_byte});
        }
    }
    return comparison;
}

}  // namespace tessmar
