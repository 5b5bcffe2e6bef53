#include "sheet/print_scanner_settings.h"

#include <string>

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

// Writes into an open file and remembers whether every byte went out.
class FileSink : public SheetSink {
  public:
    explicit FileSink(HANDLE file) : file_(file) {}
    void write(std::string_view text) override {
        DWORD written = 0;
        if (!WriteFile(file_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
            written != text.size()) {
            failed_ = true;
        }
    }
    bool failed() const { return failed_; }

  private:
    HANDLE file_;
    bool failed_ = false;
};

bool ask_for_default_sheet() {
    return MessageBoxA(GetActiveWindow(), "Set to scanner's default settings?",
                       "Print scanner settings", MB_ICONWARNING | MB_YESNO) == IDYES;
}

// True when a complete sheet is on disk.
bool write_sheet_file(ProgramState& state) {
    HANDLE file = CreateFileA(kSheetFileName, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        report("File open/create failed!");
        return false;
    }
    FileSink sink(file);
    const bool complete = WriteSetupCodeSheet(state, sink, ask_for_default_sheet);
    const bool closed = CloseHandle(file);
    // A sheet cut short (a full disk) would leave the scanner half set up: print nothing.
    if (complete && (sink.failed() || !closed)) {
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
