// The fifteen symbology parameter dialogs, opened by the Symbology page's "Configure..." buttons:
// one procedure, and a table per dialog of its check boxes, radio groups and length
// qualification, and of its key-entry boxes. A dialog writes the record on its own OK, so the
// sheet's Cancel does not undo it; the sheet's OK marks the document modified.
#pragma once

#include <windows.h>

#include <span>

#include "model/symbologies.h"
#include "pages/ui/bound_controls.h"
#include "pages/ui/page_context.h"

namespace tessmar {

struct SymbologyDialog {
    // Names the dialog's template (its parameter_dialog) and its caption.
    Symbology symbology;
    BoundControls controls;
};

// The fifteen dialogs, in the order of the symbology table.
std::span<const SymbologyDialog> symbology_dialogs();

// The parameter dialog of `symbology`, or null (Code 93 and Code 128 have none).
const SymbologyDialog* symbology_dialog(Symbology symbology);

// Runs the dialog modally, owned by `owner`, with control `focus` focused first (0 for the
// dialog's default). True when it was closed by OK, which has written its fields into the record.
bool run_symbology_dialog(HWND owner, const PageContext& context, const SymbologyDialog& dialog,
                          int focus = 0);

// Puts every field and key string of every dialog back to its factory value.
void reset_symbology_dialog_fields(SettingsRecord& record);

}  // namespace tessmar
