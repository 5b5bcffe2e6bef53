// The pages of the "Configure Editing Format" sheet, each described in its own file. They edit
// the staging block, never set the modified flag, and end their commit by copying the block
// into the record.
#pragma once

#include "pages/reader_page.h"

namespace tessmar {

// The code types, lengths and matching string a format applies to. Its launch data is the
// Edit page's `format_configured` flag of the format (a bool*), which its commit sets.
extern const PageDescription kApplicableConditionsPage;

// The number of fields, their dividers (through "Fields Parameters") and the additional fields.
extern const PageDescription kFieldSettingsPage;

// The order in which the fields and additional fields are sent.
extern const PageDescription kTransmissionSequencePage;

}  // namespace tessmar
