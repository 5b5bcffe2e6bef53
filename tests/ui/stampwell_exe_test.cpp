// Stampwell.exe as Tessmar starts it, on Windows's file system, where names differ only in case
// name one file.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>

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

// Asked from a command prompt with its output redirected, a window program still answers there.
TEST(StampwellExe, VersionAndHelpGoToAStandardOutputItIsGiven) {
    TempFolder folder("stampwell-output");
    const struct {
        const char* arguments;
        std::string begins;
    } kCases[] = {
        {"--version", "stampwell " TESSMAR_VERSION "\n"},
        {"--help", "Usage: stampwell [--no-open] SHEET\n"},
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
