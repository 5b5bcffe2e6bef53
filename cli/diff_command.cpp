// tessmar-cli diff A.orl [B.orl]: the summary lines in which two settings files differ.
// tessmar-cli diff FILE.orl --port DEV: those in which a scanner differs from a file.
#include <iostream>

#include "cli/cli.h"
#include "cli/difference_listing.h"
#include "cli/link_session.h"

namespace tessmar::cli {
namespace {

// Neither the file nor the scanner changes: the scanner is only read.
int diff_with_scanner(const std::string& name, const std::string& port_name) {
    ProgramState ours;
    if (!open_settings(name, ours)) {
        return kFailure;
    }
    ProgramState scanner = ours;
    const LinkResult read = read_scanner(port_name, scanner);
    if (!read.ok) {
        return failure(read.failure);
    }
    const RecordComparison comparison = compare_records(ours, scanner.record);
    print_comparison(comparison, name, "the scanner on " + port_name, std::cout);
    return comparison.equal() ? kSuccess : kFailure;
}

}  // namespace

int run_diff(const Arguments& args) {
    if (args.has("--port")) {
        return diff_with_scanner(args.positional[0], args["--port"]);
    }
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
