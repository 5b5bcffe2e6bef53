// What a scanner holds against what the program holds: the summary lines in which the two
// records differ, then the differing bytes that no line shows (the options of an interface not
// selected, say, or reserved bits).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "summary/summary_diff.h"

namespace tessmar {

struct ByteDifference {
    std::size_t offset;
    std::uint8_t ours;
    std::uint8_t theirs;
};

struct RecordComparison {
    std::vector<SummaryDifference> lines;  // `a` is ours, `b` theirs
    std::vector<ByteDifference> unshown_bytes;

    bool equal() const { return lines.empty() && unshown_bytes.empty(); }
};

// Compares `ours` with the record `theirs` (read from a scanner). Both are shown with ours's
// buffers beside the record, so only the records' bytes make a difference. A differing byte is
// shown when putting either record's value into the other changes that record's summary; when
// no line differs at all, every differing byte is listed. So equal() holds exactly when the two
// records are equal byte for byte. One pass over each summary: only the lines that read a
// differing byte are read again, with that byte changed.
RecordComparison compare_records(const ProgramState& ours, const SettingsRecord& theirs);

// A differing byte as the listings name it ("Byte 26 (0x001A)") and a value ("0x0A").
std::string byte_name(std::size_t offset);
std::string byte_value(std::uint8_t value);

// One difference as a row: the setting ("Max Length"), where it lives, innermost first
// ("Select Length Qualification, Industrial 25, Symbology"), then its value in ours and in
// theirs; "-" where a side lacks the line.
struct ComparisonRow {
    std::string setting;
    std::string place;
    std::string ours;
    std::string theirs;
};

inline constexpr const char* kComparisonColumns[] = {"Setting", "Where", "Tessmar", "Scanner"};

std::vector<ComparisonRow> comparison_rows(const RecordComparison& comparison);

// The rows as tab-separated text, the column titles first, each line ending in CR LF.
std::string comparison_table_text(const std::vector<ComparisonRow>& rows);

}  // namespace tessmar
