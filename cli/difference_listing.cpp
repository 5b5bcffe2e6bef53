#include "cli/difference_listing.h"

namespace tessmar::cli {
namespace {

// A line as it is printed: without blanks at its end (a setting whose text is empty, say), so
// scripts and diffs of the output see no trailing white space.
void print_line(std::ostream& out, const std::string& text) {
    const std::size_t end = text.find_last_not_of(" \t");
    out << text.substr(0, end == std::string::npos ? 0 : end + 1) << "\n";
}

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
            print_line(out, path);
            previous_path = path;
        }
        if (difference.a) {
            print_line(out, "  - " + *difference.a);
        }
        if (difference.b) {
            print_line(out, "  + " + *difference.b);
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
    print_line(out, "--- " + a_name);
    print_line(out, "+++ " + b_name);
    print_lines(differences, out);
}

void print_comparison(const RecordComparison& comparison, const std::string& ours_name,
                      const std::string& theirs_name, std::ostream& out) {
    if (comparison.equal()) {
        return;
    }
    print_line(out, "--- " + ours_name);
    print_line(out, "+++ " + theirs_name);
    print_lines(comparison.lines, out);
    print_bytes(comparison.unshown_bytes, out);
}

}  // namespace tessmar::cli
