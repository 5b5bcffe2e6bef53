#include "app/manual.h"

#include <objbase.h>
#include <shellapi.h>

#include "win32/system_error_text.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

constexpr MessageStyle kManualMessage{"Tessmar Manual", MB_OK | MB_ICONINFORMATION};

bool file_exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void open_manual(HWND owner, const std::string& program_directory) {
    const std::string path = program_directory + kManualFileName;
    if (!file_exists(path)) {
        show_message(owner,
                     "The manual is not here: it is " + std::string(kManualFileName) +
                         ", beside Tessmar.exe in\n" + program_directory +
                         "\n\nIt comes with Tessmar's installer and with its zip. Install "
                         "Tessmar again, or unpack the whole zip, to have it there.",
                     kManualMessage);
        return;
    }
    // The browser may be started through a shell extension, which needs COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOASYNC;
    execute.hwnd = owner;
    execute.lpFile = path.c_str();
    execute.nShow = SW_SHOWNORMAL;
    const bool opened = ShellExecuteExA(&execute);
    const DWORD error = opened ? ERROR_SUCCESS : GetLastError();
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    // A technician who closed Windows' own "open with" question has been told enough.
    if (!opened && error != ERROR_CANCELLED) {
        report_error(owner, "Windows could not open the manual, " + path + ": " +
                                system_error_text(error) + ".");
    }
}

}  // namespace tessmar
