// The summary tree: any record bytes, from a damaged file or a garbled read-back, with any
// interface and code-ID set, build a tree whose lines hold no NUL and fit the tree's line length,
// and a tree compared with itself has no difference.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "summary/summary_diff.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using tessmar::fuzz::require;

std::size_t check_lines(const tessmar::SummaryNode& node) {
    std::size_t lines = 0;
    for (const tessmar::SummaryNode& child : node.children) {
        require(child.text.find('\0') == std::string::npos, "no tree line holds a NUL");
        require(child.text.size() <= tessmar::kMaxSummaryLineChars,
                "no tree line is over 99 characters");
        lines += 1 + check_lines(child);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tessmar::ProgramState state;
    tessmar::load_factory_defaults(state);
    state.interface_class =
        static_cast<tessmar::InterfaceClass>(input.ConsumeIntegralInRange(0, 2));
    state.code_id_set = input.ConsumeIntegralInRange(-1, 6);
    const std::vector<std::uint8_t> bytes = input.ConsumeRemainingBytes<std::uint8_t>();
    std::copy_n(bytes.begin(), std::min(bytes.size(), tessmar::kRecordSize),
                state.record.bytes.begin());

    const tessmar::SummaryNode tree = tessmar::build_summary(state);
    const std::size_t lines = check_lines(tree);
    const std::string text = tessmar::summary_text(tree);
    require(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) == lines,
            "the tree's text has one line per item");
    require(tessmar::diff_summaries(tree, tree).empty(),
            "a tree compared with itself has no difference");
    return 0;
}
