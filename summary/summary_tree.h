// The summary tree: every current setting as a read-only line of text, grouped by topic. The
// builder is portable; the tree view (summary_tree_view.h) and tessmar-cli both show its result.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/program_state.h"

namespace tessmar {

// A line longer than this is cut to its first kMaxSummaryLineChars characters (a long key
// string with modifiers can run past it).
inline constexpr std::size_t kMaxSummaryLineChars = 99;

struct SummaryNode {
    std::string text;
    // The line with its value left out ("Scan Mode : %s"): two trees' lines with the same key
    // under the same parent show the same setting.
    std::string key;
    std::vector<SummaryNode> children;
};

// The whole tree for `state`: a root without text whose children are the seven top-level items,
// "Information" to "Edit Format". The editing formats are read from the record's own blocks, so
// the tree shows what would be saved.
SummaryNode build_summary(const ProgramState& state);

// The root's descendants one per line, two spaces of indent per level below the top.
std::string summary_text(const SummaryNode& root);

}  // namespace tessmar
