// How tessmar-cli lists differences: the two sides named once, then each group of differing
// summary lines under the path of their parent ("  - " the first side's text, "  + " the
// second's), then each differing byte that no line shows under its offset.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "summary/record_comparison.h"

namespace tessmar::cli {

void print_differences(const std::vector<SummaryDifference>& differences, const std::string& a_name,
                       const std::string& b_name, std::ostream& out);

void print_comparison(const RecordComparison& comparison, const std::string& ours_name,
                      const std::string& theirs_name, std::ostream& out);

}  // namespace tessmar::cli
