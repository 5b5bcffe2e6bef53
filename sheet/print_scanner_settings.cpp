#include "sheet/print_scanner_settings.h"

#include <string>

#include "files/file_replacement.h"
#include "sheet/setup_code_sheet.h"

namespace tessmar {
namespace {

constexpr char kSheetFileName[] = "Barcode.prn";
constexpr char kToolFileName[] = "Stampwell.exe";

struct StartFailure {
    UINT result;
    const char* text;
};
constexpr StartFailure kStartFailures[] = {
    {ERROR_BAD_FORMAT, "The Stampwell file is invalid"},
    {ERROR_FILE_NOT_FOUND, "The Stampwell file was not found!"},
    {ERROR_PATH_NOT_FOUND, "The Stampwell path was not found!"},
};

void report(const char* text) {
    MessageBoxA(GetActiveWindow(), text, "Error", MB_ICONWARNING);
}

class ReplacementSink : public SheetSink {
  public:
    explicit ReplacementSink(FileReplacement& file) : file_(file) {}
    void write(std::string_view text) override { file_.write(text); }

  private:
    FileReplacement& file_;
};

bool ask_for_default_sheet() {
    return MessageBoxA(GetActiveWindow(), "Set to scanner's default settings?",
                       "Print scanner settings", MB_ICONWARNING | MB_YESNO) == IDYES;
}

// True when a complete sheet is on disk. The sheet replaces the old one only once all of it was
// written: one cut short (a full disk) would leave the scanner half set up.
bool write_sheet_file(ProgramState& state) {
    const StartedReplacement started = begin_file_replacement(kSheetFileName);
    if (!started.file) {
        report("File open/create failed!");
        return false;
    }
    ReplacementSink sink(*started.file);
    const bool complete = WriteSetupCodeSheet(state, sink, ask_for_default_sheet);
    // Declined, the file holds only its heading, so no old sheet is left to be printed by mistake.
    if (!started.file->commit().ok) {
        report("File open/create failed!");
        return false;
    }
    return complete;
}

void start_tool(const std::string& program_directory) {
    // The tool's full path, one blank, and the sheet's name, which it finds in the current
    // directory it inherits. Nothing is quoted.
    const std::string command = program_directory + kToolFileName + " " + kSheetFileName;
    if (const char* failure =
            stampwell_start_failure_text(WinExec(command.c_str(), SW_SHOWNORMAL))) {
        report(failure);
    }
}

}  // namespace

const char* stampwell_start_failure_text(UINT winexec_result) {
    for (const StartFailure& failure : kStartFailures) {
        if (failure.result == winexec_result) {
            return failure.text;
        }
    }
    return nullptr;
}

void PrintScannerSettings(ProgramState& state) {
    if (write_sheet_file(state)) {
        start_tool(state.program_directory);
    }
}

}  // namespace tessmar
