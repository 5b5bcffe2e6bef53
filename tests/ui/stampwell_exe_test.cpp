// Stampwell.exe as Tessmar starts it, on Windows's file system, where names differ only in case
// name one file.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>

#include "tests/ui/support/temp_folder.h"
#include "version.h"

namespace tessmar::test {
namespace {

constexpr char kSheet[] =
    "Orlo Scanner Configuration Sheet\r\n\r\n51277335127700<Enter Setup>"
    "\r\n9993<Restore Default Settings>\r\n\r\n9999<Update>";

std::string program_folder() {
    std::array<char, MAX_PATH> path{};
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    const std::string module(path.data(), length);
    return module.substr(0, module.find_last_of('\\') + 1);
}

// Runs Stampwell.exe beside this program with `arguments` in `folder`; its exit code. Given a
// handle, its standard output goes there, as a redirection in a command prompt does it.
DWORD run_stampwell(const std::string& folder, const std::string& arguments,
                    HANDLE output = nullptr) {
    std::string command = "\"";
    command.append(program_folder()).append("Stampwell.exe\" ").append(arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        ADD_FAILURE() << "cannot start " << command << ": error " << GetLastError();
        return ~0u;
    }
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = ~0u;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// S.HTML's page would be S.html, which is S.HTML itself: the page gets the sheet's whole name
// with .html added, and the sheet stays.
TEST(StampwellExe, NeverWritesOverASheetWhoseNameEndsInHtmlInAnotherCase) {
    TempFolder folder("stampwell-case");
    const std::vector<std::uint8_t> sheet(std::begin(kSheet), std::end(kSheet) - 1);
    write_file_bytes(folder.file("S.HTML"), sheet);
    EXPECT_EQ(run_stampwell(folder.path().string(), "--no-open S.HTML"), 0u);
    EXPECT_EQ(read_file_bytes(folder.file("S.HTML")), sheet);
    const std::vector<std::uint8_t> page = read_file_bytes(folder.file("S.HTML.html"));
    EXPECT_NE(std::string(page.begin(), page.end()).find("</html>"), std::string::npos);
}

// A sheet and its folder named in letters outside Windows-1252: Stampwell, given the sheet's full
// path, reads it, finds when it was written, writes the page beside it, and names the sheet in
// its title and footer as it is named.
TEST(StampwellExe, ReadsAndWritesInAFolderNamedOutsideTheWesternCodePage) {
    TempFolder folder("stampwell-Ωμέγα Щит");
    const std::vector<std::uint8_t> sheet(std::begin(kSheet), std::end(kSheet) - 1);
    write_file_bytes(folder.file("Ρυθμίσεις.prn"), sheet);
    EXPECT_EQ(
        run_stampwell(folder.path().string(), "--no-open \"" + folder.file("Ρυθμίσεις.prn") + '"'),
        0u);
    const std::vector<std::uint8_t> page = read_file_bytes(folder.file("Ρυθμίσεις.html"));
    const std::string html(page.begin(), page.end());
    EXPECT_NE(html.find("</html>"), std::string::npos);
    EXPECT_NE(html.find("<title>Orlo Scanner Configuration Sheet (Ρυθμίσεις.prn)</title>"),
              std::string::npos);
    EXPECT_NE(html.find("Ρυθμίσεις.prn, written 20"), std::string::npos);
}

// For the length of a test, the program registered for .html pages is cmd copying the page it is
// given to `copy`: the copy shows that the page's path reached it whole. The registration the
// user had before comes back afterwards. (Wine's shell reads associations from HKEY_CLASSES_ROOT
// alone, not from the user's Software\Classes.)
class PageOpener {
  public:
    explicit PageOpener(const std::string& copy) {
        had_html_key_ =
            RegOpenKeyExA(HKEY_CLASSES_ROOT, kHtmlKey, 0, KEY_READ, &html_) == ERROR_SUCCESS;
        if (had_html_key_) {
            DWORD size = sizeof previous_;
            had_default_ = RegGetValueA(html_, nullptr, nullptr, RRF_RT_REG_SZ, nullptr, previous_,
                                        &size) == ERROR_SUCCESS;
            RegCloseKey(html_);
        }
        set_default(kHtmlKey, kProgId);
        const std::string open = std::string("cmd.exe /c copy /y \"%1\" \"") + copy + "\"";
        set_default(kOpenCommandKey, open.c_str());
    }
    ~PageOpener() {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgIdKey);
        if (!had_html_key_) {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, kHtmlKey);
        } else if (had_default_) {
            set_default(kHtmlKey, previous_);
        } else if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kHtmlKey, 0, KEY_SET_VALUE, &html_) ==
                   ERROR_SUCCESS) {
            RegDeleteValueA(html_, nullptr);
            RegCloseKey(html_);
        }
    }
    PageOpener(const PageOpener&) = delete;
    PageOpener& operator=(const PageOpener&) = delete;

  private:
    static constexpr char kHtmlKey[] = ".html";
    static constexpr char kProgId[] = "Tessmar.TestPage";
    static constexpr char kProgIdKey[] = "Tessmar.TestPage";
    static constexpr char kOpenCommandKey[] = "Tessmar.TestPage\\shell\\open\\command";

    static void set_default(const char* key, const char* value) {
        EXPECT_EQ(RegSetKeyValueA(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, value,
                                  static_cast<DWORD>(std::strlen(value) + 1)),
                  ERROR_SUCCESS)
            << key;
    }

    HKEY html_ = nullptr;
    bool had_html_key_ = false;
    bool had_default_ = false;
    char previous_[256] = {};
};

// Stampwell in a folder named outside Windows-1252 hands its page to the program registered for
// .html pages, by a path that names the page.
TEST(StampwellExe, HandsItsPageToTheBrowserFromAFolderNamedOutsideTheWesternCodePage) {
    TempFolder folder("stampwell-Σελίδα Щит");
    TempFolder opened("stampwell-opened");
    const std::string copy = opened.file("page.html");
    const PageOpener opener(copy);
    const std::vector<std::uint8_t> sheet(std::begin(kSheet), std::end(kSheet) - 1);
    write_file_bytes(folder.file("Barcode.prn"), sheet);
    EXPECT_EQ(run_stampwell(folder.path().string(), "Barcode.prn"), 0u);
    // cmd runs on its own; it is given time to finish.
    for (int waited = 0; waited < 300 && !std::filesystem::exists(copy); ++waited) {
        Sleep(50);
    }
    EXPECT_EQ(read_file_bytes(copy), read_file_bytes(folder.file("Barcode.html")));
}

// Asked from a command prompt with its output redirected, a window program still answers there.
TEST(StampwellExe, VersionAndHelpGoToAStandardOutputItIsGiven) {
    TempFolder folder("stampwell-output");
    const struct {
        const char* arguments;
        std::string begins;
    } kCases[] = {
        {"--version", "stampwell " TESSMAR_VERSION "\n"},
        {"--help",
         "Usage: stampwell [--no-open] [--settings NAME] [--fingerprint FP] [--] SHEET\n"},
    };
    for (const auto& c : kCases) {
        const std::string name = folder.file("out.txt");
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        const HANDLE out = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(out, INVALID_HANDLE_VALUE);
        EXPECT_EQ(run_stampwell(folder.path().string(), c.arguments, out), 0u) << c.arguments;
        CloseHandle(out);
        const std::vector<std::uint8_t> written = read_file_bytes(name);
        EXPECT_TRUE(std::string(written.begin(), written.end()).starts_with(c.begins))
            << c.arguments;
    }
}

}  // namespace
}  // namespace tessmar::test
