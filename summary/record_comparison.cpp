#include "summary/record_comparison.h"

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

}  // namespace

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
