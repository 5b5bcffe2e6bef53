#include "sheet/ui/print_scanner_settings.h"

#include <array>
#include <string>

#include "files/file_replacement.h"
#include "model/settings_fingerprint.h"
#include "sheet/print_tool_command.h"
#include "sheet/setup_code_sheet.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

struct StartFailure {
    DWORD error;
    const char* text;
};
constexpr StartFailure kStartFailures[] = {
    {ERROR_BAD_EXE_FORMAT, "The Stampwell file is invalid"},
    {ERROR_FILE_NOT_FOUND, "The Stampwell file was not found!"},
    {ERROR_PATH_NOT_FOUND, "The Stampwell path was not found!"},
};

constexpr MessageStyle kDefaultsQuestion{"Print scanner settings", MB_YESNO | MB_ICONWARNING};

class ReplacementSink : public SheetSink {
  public:
    explicit ReplacementSink(FileReplacement& file) : file_(file) {}
    void write(std::string_view text) override { file_.write(text); }

  private:
    FileReplacement& file_;
};

// True when a complete sheet is on disk. The sheet replaces the old one only once all of it was
// written: one cut short (a full disk) would leave the scanner half set up.
bool write_sheet_file(HWND main_window, ProgramState& state) {
    const StartedReplacement started = begin_file_replacement(kSheetFileName);
    if (!started.file) {
        report_error(main_window, "File open/create failed!", started.result.error);
        return false;
    }
    ReplacementSink sink(*started.file);
    const bool complete = WriteSetupCodeSheet(state, sink, [main_window] {
        return show_message(main_window, "Set to scanner's default settings?", kDefaultsQuestion) ==
               IDYES;
    });
    // Declined, the file holds only its heading, so no old sheet is left to be printed by mistake.
    if (const FileResult written = started.file->commit(); !written.ok) {
        report_error(main_window, "File open/create failed!", written.error);
        return false;
    }
    return complete;
}

// Starts the tool and goes on at once: the tool runs on its own, in this current directory,
// where the sheet is. True when it started.
bool start_tool(HWND main_window, const ProgramState& state, const std::string& settings_name) {
    const PrintToolLaunch launch = print_tool_launch(state.program_directory, settings_name,
                                                     settings_fingerprint(state.record.bytes));
    std::string command_line = launch.command_line;  // the call takes a writable buffer
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(launch.program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0,
                       nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
    if (const char* failure = stampwell_start_failure_text(GetLastError())) {
        report_error(main_window, failure);
    }
    return false;
}

}  // namespace

const char* stampwell_start_failure_text(DWORD error) {
    for (const StartFailure& failure : kStartFailures) {
        if (failure.error == error) {
            return failure.text;
        }
    }
    return nullptr;
}

bool PrintScannerSettings(HWND main_window, ProgramState& state, const std::string& settings_name) {
    return write_sheet_file(main_window, state) && start_tool(main_window, state, settings_name);
}

std::string sheet_page_path() {
    std::array<char, MAX_PATH> path{};
    const DWORD length =
        GetFullPathNameA(kSheetPageFileName, static_cast<DWORD>(path.size()), path.data(), nullptr);
    // A current directory too deep for MAX_PATH: its name relative to it is all there is.
    return length > 0 && length < path.size() ? path.data() : kSheetPageFileName;
}

}  // namespace tessmar
