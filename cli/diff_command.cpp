// tessmar-cli diff A.orl [B.orl]: the summary lines in which two settings files differ.
#include <iostream>

#include "cli/cli.h"
#include "summary/summary_diff.h"

namespace tessmar::cli {
namespace {

std::string joined_path(const std::vector<std::string>& path) {
    std::string text;
    for (const std::string& part : path) {
        text += (text.empty() ? "" : " > ") + part;
    }
    return text;
}

// A unified-diff-like listing: the files named once, then each group of lines under the path
// of their parent.
void print_differences(const std::vector<SummaryDifference>& differences, const std::string& a_name,
                       const std::string& b_name, std::ostream& out) {
    if (differences.empty()) {
        return;
    }
    out << "--- " << a_name << "\n+++ " << b_name << "\n";
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

}  // namespace

int run_diff(const Arguments& args) {
    ProgramState a;
    ProgramState b;
    const std::string& a_name = args.positional[0];
    if (!open_settings(a_name, a)) {
        return kFailure;
    }
    std::string b_name = "factory settings";
    if (args.positional.size() == 2) {
        b_name = args.positional[1];
        if (!open_settings(b_name, b)) {
            return kFailure;
        }
    } else {
        load_factory_defaults(b);
    }
    print_differences(diff_summaries(build_summary(a), build_summary(b)), a_name, b_name,
                      std::cout);
    return kSuccess;
}

}  // namespace tessmar::cli
