// The installer's own steps that NSIS cannot take safely itself: its strings stop at 1024
// characters, where a machine's PATH is often longer, and it sets no permissions. Run elevated by
// Tessmar's installer and uninstaller from their temporary folder:
//   install-step machine-path add|remove FOLDER   the machine's PATH (REG_EXPAND_SZ)
//   install-step user-path remove FOLDER          the running account's PATH
//   install-step secure FOLDER                    only administrators may change the folder
//   install-step start FILE                       opens FILE as the desktop's user, not elevated
// Exit code 0 on success, 1 with a line on standard error otherwise.
#include <windows.h>
#include <aclapi.h>
#include <exdisp.h>
#include <sddl.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "tools/install-step/path_entries.h"
#include "win32/system_library.h"

namespace tessmar::install {
namespace {

constexpr wchar_t kMachineEnvironment[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr wchar_t kUserEnvironment[] = L"Environment";
constexpr wchar_t kPath[] = L"Path";
// Protected (inheritance from the parent off): SYSTEM and Administrators full control, Users
// read and execute, for the folder and all it holds; owned by Administrators.
constexpr wchar_t kInstallFolderSecurity[] =
    L"O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

int fail(const char* what, DWORD error) {
    std::fprintf(stderr, "%s (error %lu)\n", what, error);
    return 1;
}

struct RegistryKey {
    HKEY handle = nullptr;
    ~RegistryKey() {
        if (handle) {
            RegCloseKey(handle);
        }
    }
};

// The value's text, whatever its length; none when the value is not there.
std::optional<std::wstring> read_path(HKEY key, DWORD& error) {
    std::wstring text(256, L'\0');
    for (;;) {
        DWORD type = 0;
        DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        error = RegQueryValueExW(key, kPath, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                                 &bytes);
        if (error == ERROR_MORE_DATA) {
            text.resize(bytes / sizeof(wchar_t) + 1);
            continue;
        }
        if (error == ERROR_FILE_NOT_FOUND) {
            error = ERROR_SUCCESS;
            return std::nullopt;
        }
        if (error != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            error = error != ERROR_SUCCESS ? error : ERROR_INVALID_DATA;
            return std::nullopt;
        }
        // The stored data need not end with a null.
        text.resize(bytes / sizeof(wchar_t));
        text.resize(std::wstring_view(text.c_str()).size());
        return text;
    }
}

// Kept expandable, so the entries that name %SystemRoot% and the like go on working.
DWORD write_path(HKEY key, const std::wstring& path) {
    return RegSetValueExW(key, kPath, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                          static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
}

enum class Change { add, remove };

int change_path(HKEY root, const wchar_t* subkey, Change change, const std::wstring& folder) {
    RegistryKey key;
    DWORD error = RegOpenKeyExW(root, subkey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY,
                                &key.handle);
    if (error == ERROR_FILE_NOT_FOUND && change == Change::remove) {
        return 0;
    }
    if (error != ERROR_SUCCESS) {
        return fail("The PATH cannot be opened", error);
    }
    const std::optional<std::wstring> path = read_path(key.handle, error);
    if (error != ERROR_SUCCESS) {
        return fail("The PATH cannot be read", error);
    }
    if (change == Change::add) {
        const std::wstring changed = path_with_folder(path.value_or(L""), folder);
        error = changed == path ? ERROR_SUCCESS : write_path(key.handle, changed);
    } else if (path) {
        const std::wstring changed = path_without_folder(*path, folder);
        if (changed.empty()) {
            error = RegDeleteValueW(key.handle, kPath);
        } else if (changed != *path) {
            error = write_path(key.handle, changed);
        }
    }
    return error == ERROR_SUCCESS ? 0 : fail("The PATH cannot be written", error);
}

int secure(const std::wstring& folder) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
            kInstallFolderSecurity, SDDL_REVISION_1, &descriptor, nullptr)) {
        return fail("The folder's permissions cannot be made", GetLastError());
    }
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    PSID owner = nullptr;
    GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
    GetSecurityDescriptorOwner(descriptor, &owner, &defaulted);
    // The folder's own copy of the name: the function takes a writable string.
    std::wstring name = folder;
    const DWORD error =
        SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT,
                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                  PROTECTED_DACL_SECURITY_INFORMATION,
                              owner, nullptr, dacl, nullptr);
    LocalFree(descriptor);
    return error == ERROR_SUCCESS ? 0 : fail("The folder's permissions cannot be set", error);
}

// A COM interface pointer released when it goes.
template <typename Interface>
struct Held {
    Interface* pointer = nullptr;
    ~Held() {
        if (pointer) {
            pointer->Release();
        }
    }
    void** out() { return reinterpret_cast<void**>(&pointer); }
};

// The desktop's shell, which runs as the user who logged on: what it opens runs as that user,
// where a program started by this elevated step would run as the administrator who gave the
// password, another account than the technician's.
HRESULT desktop_shell(Held<IShellDispatch2>& shell) {
    Held<IShellWindows> windows;
    HRESULT result = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                      IID_IShellWindows, windows.out());
    VARIANT desktop{};
    desktop.vt = VT_I4;
    desktop.lVal = CSIDL_DESKTOP;
    VARIANT empty{};
    long window = 0;
    Held<IDispatch> found;
    if (SUCCEEDED(result)) {
        result = windows.pointer->FindWindowSW(&desktop, &empty, SWC_DESKTOP, &window,
                                               SWFO_NEEDDISPATCH, &found.pointer);
    }
    Held<IServiceProvider> services;
    if (result == S_OK) {
        result = found.pointer->QueryInterface(IID_IServiceProvider, services.out());
    } else if (SUCCEEDED(result)) {
        result = E_FAIL;  // no desktop window
    }
    Held<IShellBrowser> browser;
    if (SUCCEEDED(result)) {
        result =
            services.pointer->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.out());
    }
    Held<IShellView> view;
    if (SUCCEEDED(result)) {
        result = browser.pointer->QueryActiveShellView(&view.pointer);
    }
    Held<IDispatch> background;
    if (SUCCEEDED(result)) {
        result = view.pointer->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.out());
    }
    Held<IShellFolderViewDual> folder_view;
    if (SUCCEEDED(result)) {
        result = background.pointer->QueryInterface(IID_IShellFolderViewDual, folder_view.out());
    }
    Held<IDispatch> application;
    if (SUCCEEDED(result)) {
        result = folder_view.pointer->get_Application(&application.pointer);
    }
    if (SUCCEEDED(result)) {
        result = application.pointer->QueryInterface(IID_IShellDispatch2, shell.out());
    }
    return result;
}

int start_as_desktop_user(const wchar_t* file) {
    const HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(joined)) {
        return fail("COM is not available", static_cast<DWORD>(joined));
    }
    HRESULT result = S_OK;
    {
        Held<IShellDispatch2> shell;
        result = desktop_shell(shell);
        BSTR name = SysAllocString(file);
        if (SUCCEEDED(result) && name) {
            VARIANT none{};
            result = shell.pointer->ShellExecute(name, none, none, none, none);
        }
        SysFreeString(name);
    }
    CoUninitialize();
    return SUCCEEDED(result) ? 0
                             : fail("The desktop cannot open the file", static_cast<DWORD>(result));
}

int run(int argc, wchar_t** argv) {
    const std::wstring_view what = argc > 1 ? argv[1] : L"";
    const std::wstring_view how = argc > 2 ? argv[2] : L"";
    if (what == L"machine-path" && argc == 4 && (how == L"add" || how == L"remove")) {
        return change_path(HKEY_LOCAL_MACHINE, kMachineEnvironment,
                           how == L"add" ? Change::add : Change::remove, argv[3]);
    }
    if (what == L"user-path" && argc == 4 && how == L"remove") {
        return change_path(HKEY_CURRENT_USER, kUserEnvironment, Change::remove, argv[3]);
    }
    if (what == L"secure" && argc == 3) {
        return secure(argv[2]);
    }
    if (what == L"start" && argc == 3) {
        return start_as_desktop_user(argv[2]);
    }
    std::fputs(
        "usage: install-step machine-path add|remove FOLDER | user-path remove FOLDER | "
        "secure FOLDER | start FILE\n",
        stderr);
    return 2;
}

}  // namespace
}  // namespace tessmar::install

int wmain(int argc, wchar_t** argv) {
    tessmar::restrict_dll_search();
    return tessmar::install::run(argc, argv);
}
