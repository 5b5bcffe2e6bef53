// Functions of DLLs that ship with Windows but are no KnownDLL, taken from the system folder
// alone: a DLL of the same name beside the program or in the current folder, which any user may
// have put there when the program runs from a shared folder, is never loaded in their place.
#pragma once

#include <windows.h>

namespace tessmar {

// First thing in each program: every DLL loaded from then on by name, and the DLLs a DLL loaded
// by its full path depends on, come from the system folder. Does nothing on a Windows 7 without
// the update that brings the function.
void restrict_dll_search();

// The function `name` of the system folder's `dll`; null when either is missing. The DLL stays
// loaded for the rest of the run.
FARPROC system_function_address(const wchar_t* dll, const char* name);

template <typename Function>
Function* system_function(const wchar_t* dll, const char* name) {
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<Function*>(
        reinterpret_cast<void (*)()>(system_function_address(dll, name)));
}

}  // namespace tessmar
