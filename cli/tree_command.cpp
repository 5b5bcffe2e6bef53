// tessmar-cli tree FILE.orl: prints the summary tree of a settings file.
#include <iostream>

#include "cli/cli.h"
#include "summary/summary_tree.h"

namespace tessmar::cli {

int run_tree(const Arguments& args) {
    ProgramState state;
    if (!open_settings(args.positional[0], state)) {
        return kFailure;
    }
    std::cout << summary_text(build_summary(state));
    return kSuccess;
}

}  // namespace tessmar::cli
