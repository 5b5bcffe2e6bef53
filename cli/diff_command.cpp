// tessmar-cli diff [A.orl] B.orl: the summary lines in which B differs from A (with one file, A
// is the factory settings). tessmar-cli diff FILE.orl --port DEV: those in which a scanner
// differs from a file. Both exit as diff(1) does: 0 equal, 1 different, 2 trouble.
#include <iostream>

#include "cli/cli.h"
#include "cli/difference_listing.h"
#include "cli/link_session.h"

namespace tessmar::cli {
namespace {

int trouble(const std::string& message) {
    failure(message);
    return kTrouble;
}

// Neither the file nor the scanner changes: the scanner is only read.
int diff_with_scanner(const std::string& name, const std::string& port_name) {
    ProgramState ours;
    if (!open_settings(name, ours)) {
        return kTrouble;
    }
    ProgramState scanner = ours;
    const LinkResult read = read_scanner(port_name, scanner);
    if (!read.ok) {
        return trouble(read.failure);
    }
    const RecordComparison comparison = compare_records(ours, scanner.record);
    print_comparison(comparison, name, "the scanner on " + port_name, std::cout);
    return comparison.equal() ? kSuccess : kDifferent;
}

}  // namespace

int run_diff(const Arguments& args) {
    if (args.has("--port")) {
        return diff_with_scanner(args.positional[0], args["--port"]);
    }
    ProgramState a;
    ProgramState b;
    const bool one_file = args.positional.size() == 1;
    const std::string a_name = one_file ? "factory settings" : args.positional[0];
    const std::string& b_name = args.positional.back();
    if (one_file) {
        load_factory_defaults(a);
    } else if (!open_settings(a_name, a)) {
        return kTrouble;
    }
    if (!open_settings(b_name, b)) {
        return kTrouble;
    }
    const std::vector<SummaryDifference> differences =
        diff_summaries(build_summary(a), build_summary(b));
    print_differences(differences, a_name, b_name, std::cout);
    return differences.empty() ? kSuccess : kDifferent;
}

}  // namespace tessmar::cli
