// The lines in which two summary trees differ, for comparing two settings files.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "summary/summary_tree.h"

namespace tessmar {

struct SummaryDifference {
    // The texts of the line's ancestors, top-level item first, as the tree that has the line
    // shows them (A's, where both have it).
    std::vector<std::string> path;
    // The keys of the same ancestors: where the line lives, whatever their values.
    std::vector<std::string> place;
    // The line with its value left out, as SummaryNode::key.
    std::string key;
    // The line as each tree shows it; empty on the side whose tree lacks the line.
    std::optional<std::string> a;
    std::optional<std::string> b;
};

// Lines are matched by their key under matched parents, so a changed value shows as one line
// with two texts, and a line only one tree has (an interface's own settings, a field setting)
// shows with its whole branch, under its own parent. In tree order, A's order first where they
// disagree.
std::vector<SummaryDifference> diff_summaries(const SummaryNode& a, const SummaryNode& b);

}  // namespace tessmar
