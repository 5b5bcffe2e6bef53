// The pages of the Reader Settings sheet, each described in its own file.
#pragma once

#include <windows.h>

namespace tessmar {

// Scan mode, read redundancy, reread delay, time-out, negative barcodes, the buzzer, the
// transmit buffer and the memory scanner.
INT_PTR CALLBACK ScannerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The host interface (keyboard wedge, RS-232 or wand emulation) and its options.
INT_PTR CALLBACK InterfacePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The symbologies' enables, their parameter dialogs, and the prefix and suffix.
INT_PTR CALLBACK SymbologyPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The length-code switch of each symbology.
INT_PTR CALLBACK LengthCodePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The code ID of each symbology, and the five preset sets.
INT_PTR CALLBACK CodeIdPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Data substitution, the data-editing switches and the editing formats.
INT_PTR CALLBACK EditPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tessmar
