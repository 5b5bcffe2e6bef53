#include "win32/system_library.h"

#include <string>

namespace tessmar {

void restrict_dll_search() {
    // Windows 7 has the function only with KB2533623, so it is looked up rather than imported.
    using SetDefaultDllDirectoriesFunction = BOOL WINAPI(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (auto* set_directories = reinterpret_cast<SetDefaultDllDirectoriesFunction*>(
            reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")))) {
        set_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

FARPROC system_function_address(const wchar_t* dll, const char* name) {
    // A full path loads that very file, with or without the update that brings
    // LOAD_LIBRARY_SEARCH_SYSTEM32 to LoadLibraryEx.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    const std::wstring path = std::wstring(folder, length) + L"\\" + dll;
    HMODULE module = GetModuleHandleW(path.c_str());
    if (!module) {
        module = LoadLibraryExW(path.c_str(), nullptr, 0);
    }
    return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace tessmar
