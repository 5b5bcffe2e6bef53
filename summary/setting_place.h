// Where the summary tree shows a setting, and the place a user finds the setting by: the tree's
// lines down to the one that shows it ("Symbology › Enable Code 39 › Code 39 Full ASCII").
#pragma once

#include <string>

#include "model/settings_schema.h"
#include "summary/summary_tree.h"

namespace tessmar {

// The line of `tree` whose value is the setting's, or null.
const SummaryNode* line_showing(const SummaryNode& tree, const NamedSetting& setting);

// The setting whose value `line` shows, or null.
const NamedSetting* setting_shown_by(const SummaryNode& line);

// The setting's place, read from a tree of a record in which its conditions hold: each line down
// to its own, without the value. A setting that no line shows is placed by its table and name.
std::string setting_place(const NamedSetting& setting);

}  // namespace tessmar
