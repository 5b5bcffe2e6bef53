// The pages of the "Configure Editing Format" sheet, each described in its own file. They edit
// the staging block; their sheet copies it into the record after each page's OK.
#pragma once

#include <windows.h>

namespace tessmar {

// The code types, lengths and matching string a format applies to.
INT_PTR CALLBACK ApplicableConditionsPageProc(HWND page, UINT message, WPARAM wParam,
                                              LPARAM lParam);

// The number of fields, their dividers (through "Fields Parameters") and the additional fields.
INT_PTR CALLBACK FieldSettingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The order in which the fields and additional fields are sent.
INT_PTR CALLBACK TransmissionSequencePageProc(HWND page, UINT message, WPARAM wParam,
                                              LPARAM lParam);

}  // namespace tessmar
