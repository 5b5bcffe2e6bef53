// Print scanner settings: writes the setup-code sheet Barcode.prn in the current directory and
// starts the printing tool Stampwell.exe, from the program's directory, on it.
#pragma once

#include "app/app_context.h"

namespace tessmar {

void PrintScannerSettings(AppContext& app);

}  // namespace tessmar
