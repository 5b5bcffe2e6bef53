#include "cli/difference_listing.h"

namespace tessmar::cli {
namespace {

std::string joined_path(const std::vector<std::string>& path) {
    std::string text;
    for (const std::string& part : path) {
        text += (text.empty() ? "" : " > ") + part;
    }
    return text;
}

void print_lines(const std::vector<SummaryDifference>& differences, std::ostream& out) {
    std::string previous_path;
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const SummaryDifference& difference = differences[i];
        const std::string path = joined_path(difference.path);
        if (i == 0 || path != previous_path) {
            out << path << "\n";
            previous_path = path;
        }
        if (difference.a) {
            out << "  - " << *difference.a << "\n";
        }
        if (difference.b) {
            out << "  + " << *difference.b << "\n";
        }
    }
}

// "Byte 291 (0x0123), shown by no line", then the two values.
void print_bytes(const std::vector<ByteDifference>& bytes, std::ostream& out) {
    for (const ByteDifference& byte : bytes) {
        out << byte_name(byte.offset) << ", shown by no line\n  - " << byte_value(byte.ours)
            << "\n  + " << byte_value(byte.theirs) << "\n";
    }
}

}  // namespace

void print_differences(const std::vector<SummaryDifference>& differences, const std::string& a_name,
                       const std::string& b_name, std::ostream& out) {
    if (differences.empty()) {
        return;
    }
    out << "--- " << a_name << "\n+++ " << b_name << "\n";
    print_lines(differences, out);
}

void print_comparison(const RecordComparison& comparison, const std::string& ours_name,
                      const std::string& theirs_name, std::ostream& out) {
    if (comparison.equal()) {
        return;
    }
    out << "--- " << ours_name << "\n+++ " << theirs_name << "\n";
    print_lines(comparison.lines, out);
    print_bytes(comparison.unshown_bytes, out);
}

}  // namespace tessmar::cli
