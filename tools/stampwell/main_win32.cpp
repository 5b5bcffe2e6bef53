// Stampwell.exe: a window-less Windows program. Tessmar starts it with the sheet's name; it shows
// its messages in message boxes and opens the page with the program registered for .html files.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <cstdlib>

#include "tools/stampwell/stampwell.h"

namespace stampwell {
namespace {

constexpr char kCaption[] = "Stampwell";

// The shell may hand the page to an extension that runs through COM, and some need a
// single-threaded apartment: the thread joins one while it asks the shell.
class ComApartment {
  public:
    ComApartment()
        : joined_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (joined_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool joined_;
};

class Win32Platform : public Platform {
  public:
    void report_error(const std::string& text) override {
        MessageBoxA(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONWARNING);
    }
    // Success needs no message: the browser showing the page says it all.
    void report_note(const std::string&) override {}

    // A window program has a standard output only when whoever started it gave it one (a
    // redirection in a command prompt, a script); otherwise the text shows in a message box.
    void print(const std::string& text) override {
        const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        DWORD written = 0;
        if (out != nullptr && out != INVALID_HANDLE_VALUE &&
            WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
            written == text.size()) {
            return;
        }
        MessageBoxA(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONINFORMATION);
    }

    std::string open_in_browser(const std::string& page_path) override {
        char full[MAX_PATH];
        const DWORD length = GetFullPathNameA(page_path.c_str(), sizeof full, full, nullptr);
        if (length == 0) {
            return "error " + std::to_string(GetLastError());
        }
        if (length >= sizeof full) {
            return "its full name is too long";
        }
        const ComApartment apartment;
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteA(nullptr, "open", full, nullptr, nullptr, SW_SHOWNORMAL));
        // Values above 32 mean the page was handed to a program.
        if (result > 32) {
            return {};
        }
        std::string error = "error ";
        return error += std::to_string(result);
    }

    bool browser_disabled() override {
        char value[8];
        return GetEnvironmentVariableA(kNoOpenVariable, value, sizeof value) > 0;
    }
};

}  // namespace
}  // namespace stampwell

int main(int argc, char** argv) {
    stampwell::Win32Platform platform;
    return stampwell::run(std::vector<std::string>(argv + 1, argv + argc), platform);
}
