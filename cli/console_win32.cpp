// The Windows console: tessmar-cli writes UTF-8 (its code page, by its manifest), which a console
// shows rightly only with UTF-8 as its output code page; and it moves the cursor only with
// virtual terminal processing on. Both are the console's own settings, shared with the shell
// that started the program, so they are put back at the end of the run.
#include <windows.h>
#include <io.h>

#include "cli/console.h"

namespace tessmar::cli {
namespace {

// What the set-up changed, to be put back.
UINT replaced_code_page = 0;  // 0: the code page was left alone
HANDLE error_console = nullptr;
DWORD error_mode = 0;
bool error_mode_replaced = false;
bool cursor_moves = false;

// The console behind a stream, or null when the stream goes elsewhere (a file, a pipe, NUL).
HANDLE console_of(std::FILE* stream) {
    const intptr_t os_handle = _get_osfhandle(_fileno(stream));
    const HANDLE handle = reinterpret_cast<HANDLE>(os_handle);
    DWORD mode = 0;
    if (os_handle == -1 || handle == nullptr || !GetConsoleMode(handle, &mode)) {
        return nullptr;
    }
    return handle;
}

}  // namespace

ConsoleSetup::ConsoleSetup() {
    if (console_of(stdout) != nullptr || console_of(stderr) != nullptr) {
        const UINT code_page = GetConsoleOutputCP();
        if (code_page != 0 && code_page != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
            replaced_code_page = code_page;
        }
    }
    error_console = console_of(stderr);
    if (error_console != nullptr && GetConsoleMode(error_console, &error_mode)) {
        cursor_moves = (error_mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
        if (!cursor_moves &&
            SetConsoleMode(error_console, error_mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING)) {
            error_mode_replaced = true;
            cursor_moves = true;
        }
    }
}

ConsoleSetup::~ConsoleSetup() {
    if (replaced_code_page != 0) {
        SetConsoleOutputCP(replaced_code_page);
    }
    if (error_mode_replaced) {
        SetConsoleMode(error_console, error_mode);
    }
}

bool is_terminal(std::FILE* stream) {
    return console_of(stream) != nullptr;
}

bool error_terminal_moves_cursor() {
    return cursor_moves;
}

}  // namespace tessmar::cli
