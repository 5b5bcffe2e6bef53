// The pages of the Reader Settings sheet, each described in its own file.
#pragma once

#include "pages/reader_page.h"

namespace tessmar {

// Scan mode, read redundancy, reread delay, time-out, negative barcodes, the buzzer, the
// transmit buffer and the memory scanner.
extern const PageDescription kScannerPage;

// The host interface (keyboard wedge, RS-232 or wand emulation) and its options.
extern const PageDescription kInterfacePage;

// The symbologies' enables, their parameter dialogs, and the prefix and suffix.
extern const PageDescription kSymbologyPage;

// The length-code switch of each symbology.
extern const PageDescription kLengthCodePage;

// The code ID of each symbology, and the five preset sets.
extern const PageDescription kCodeIdPage;

// Data substitution, the data-editing switches and the editing formats.
extern const PageDescription kEditPage;

}  // namespace tessmar
