// The steps of a sheet: what a technician scans as one act. A setting's naming code with the
// value codes that follow it, up to and including the closing Validate, is one step; any other
// code is a step of its own. Each step gets a caption that says what it sets ("Scanner Timeout:
// 255", "Prefix Code: [Shift][A]"). Everything is read from the codes alone, as the sheet holds
// nothing else: the interface whose form a key string takes is followed through the codes that
// select an interface.
#pragma once

#include <string>
#include <vector>

#include "tools/stampwell/sheet_parser.h"

namespace stampwell {

struct Step {
    int number = 0;  // in scanning order, from 1
    std::string caption;
    std::vector<SetupCode> codes;
};

struct StepGroup {
    std::string heading;
    bool sub_heading = false;
    std::vector<Step> steps;
};

// The sheet's groups with their codes gathered into numbered steps, in order. A heading ends any
// step still open before it.
std::vector<StepGroup> sheet_steps(const Sheet& sheet);

// The label of code `index` (from 0) of a step, in scanning order: "7" for a step of one code;
// otherwise "7a" to "7z", then "7aa", "7ab" and on, as a step may hold more than 26 codes.
std::string code_label(const Step& step, std::size_t index);

}  // namespace stampwell
