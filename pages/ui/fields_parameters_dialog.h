// "Fields Parameters": how one field of an editing format is cut off from the rest of the data,
// by a terminating string or by a length.
#pragma once

#include <windows.h>

#include "pages/ui/page_context.h"

namespace tessmar {

// Runs the dialog modally for divider `divider` (1 to 5) of the staging block the editing-format
// sheet works on, owned by `owner`. Its OK writes the divider straight into the staging block,
// where it reaches the record only with the sheet's OK. Control `focus` is focused first (0 for the
// dialog's default). True when closed by OK.
bool run_fields_parameters(HWND owner, const PageContext& context, int divider, int focus = 0);

}  // namespace tessmar
