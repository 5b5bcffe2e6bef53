#pragma once

#include <windows.h>

namespace tessmar {

// The "Scanner" page: scan mode, read redundancy, reread delay, time-out, negative barcodes,
// the buzzer, the transmit buffer and the memory scanner.
INT_PTR CALLBACK ScannerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tessmar
