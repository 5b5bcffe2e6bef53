// Stampwell.exe as Tessmar starts it, on Windows's file system, where names differ only in case
// name one file.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>

#include "tests/ui/support/temp_folder.h"

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

// Runs Stampwell.exe beside this program on `sheet` in `folder`, without a browser; its exit code.
DWORD run_stampwell(const std::string& folder, const std::string& sheet) {
    std::string command = "\"";
    command.append(program_folder()).append("Stampwell.exe\" --no-open \"").append(sheet) += '"';
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
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
    EXPECT_EQ(run_stampwell(folder.path().string(), "S.HTML"), 0u);
    EXPECT_EQ(read_file_bytes(folder.file("S.HTML")), sheet);
    const std::vector<std::uint8_t> page = read_file_bytes(folder.file("S.HTML.html"));
    EXPECT_NE(std::string(page.begin(), page.end()).find("</html>"), std::string::npos);
}

}  // namespace
}  // namespace tessmar::test
