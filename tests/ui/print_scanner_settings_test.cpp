// Print scanner settings: the sheet file in the current directory, the question when nothing
// differs, and the start of Stampwell.exe from the program's directory with its three failures.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "resources/resource.h"
#include "sheet/print_scanner_settings.h"
#include "tests/ui/support/main_window_fixture.h"

namespace tessmar::test {
namespace {

namespace fs = std::filesystem;

constexpr char kHeadingOnly[] = "Orlo Scanner Configuration Sheet\r\n";

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Each test works in fresh folders: the current directory, where the sheet is written, and a
// program directory of its own unless it wants the real Stampwell.exe beside the test program.
class PrintScannerSettings : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        root = fs::temp_directory_path() /
               ("tessmar-print-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        fs::create_directories(root / "work");
        fs::create_directories(root / "program");
        previous_directory = fs::current_path();
        fs::current_path(root / "work");
        test_program_directory = state.program_directory;
        state.program_directory = (root / "program").string() + "\\";
        // Stampwell must not start a browser on a build machine.
        SetEnvironmentVariableA("STAMPWELL_NO_OPEN", "1");
    }

    void TearDown() override {
        fs::current_path(previous_directory);
        MainWindowTest::TearDown();
        std::error_code ignored;
        fs::remove_all(root, ignored);  // a Stampwell still running may hold a file a moment
    }

    // Prints, answering each message box in turn; returns what the boxes said.
    std::vector<MessageBoxSeen> print(std::initializer_list<int> answers) {
        ModalScript script;
        for (const int answer : answers) {
            script.then([this, answer](HWND box) {
                seen.push_back(read_message_box(box));
                sheet_when_asked.push_back(read_file(root / "work" / "Barcode.prn"));
                press_button(box, answer);
            });
        }
        command(IDM_PRINT_SCANNER_SETTINGS);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        return seen;
    }

    fs::path root;
    fs::path previous_directory;
    std::string test_program_directory;
    std::vector<MessageBoxSeen> seen;
    std::vector<std::string> sheet_when_asked;
};

TEST_F(PrintScannerSettings, ToolMissingIsReportedAfterTheSheetWasWritten) {
    state.record.set(Field::scan_mode, 2);
    print({IDOK});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Error");
    EXPECT_EQ(seen[0].text, "The Stampwell file was not found!");
    const std::string sheet = read_file(root / "work" / "Barcode.prn");
    EXPECT_EQ(sheet_when_asked[0], sheet);
    EXPECT_NE(sheet.find("\r\n\r\nScanner Settings\r\n0068<Auto Power Off Mode>"),
              std::string::npos);
    EXPECT_TRUE(sheet.ends_with("\r\n\r\n9999<Update>"));
}

TEST_F(PrintScannerSettings, AFileThatIsNoProgramIsInvalid) {
    std::ofstream(root / "program" / "Stampwell.exe") << "not a program";
    state.record.set(Field::enable_code_93, 0);
    print({IDOK});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Error");
    EXPECT_EQ(seen[0].text, "The Stampwell file is invalid");
}

// Wine's WinExec answers 2 for a missing folder too, so the third failure is pinned here.
TEST(StampwellStartFailure, EachFailureHasItsMessage) {
    EXPECT_STREQ(stampwell_start_failure_text(ERROR_BAD_FORMAT), "The Stampwell file is invalid");
    EXPECT_STREQ(stampwell_start_failure_text(ERROR_FILE_NOT_FOUND),
                 "The Stampwell file was not found!");
    EXPECT_STREQ(stampwell_start_failure_text(ERROR_PATH_NOT_FOUND),
                 "The Stampwell path was not found!");
    EXPECT_EQ(stampwell_start_failure_text(0), nullptr);
    EXPECT_EQ(stampwell_start_failure_text(33), nullptr);
}

// With the tool missing, a started tool would show its own error: none means none was started.
TEST_F(PrintScannerSettings, NoToTheDefaultsQuestionWritesOnlyTheHeadingAndStartsNothing) {
    print({IDNO});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Print scanner settings");
    EXPECT_EQ(seen[0].text, "Set to scanner's default settings?");
    EXPECT_EQ(read_file(root / "work" / "Barcode.prn"), kHeadingOnly);
}

TEST_F(PrintScannerSettings, YesToTheDefaultsQuestionPrintsTheDefaultsSheet) {
    print({IDYES, IDOK});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, "Set to scanner's default settings?");
    EXPECT_EQ(seen[1].text, "The Stampwell file was not found!");
    EXPECT_EQ(read_file(root / "work" / "Barcode.prn"),
              std::string(kHeadingOnly) +
                  "\r\n51277335127700<Enter Setup>\r\n9993<Restore Default Settings>"
                  "\r\n\r\n9999<Update>");
}

TEST_F(PrintScannerSettings, ASheetThatCannotBeCreatedIsReportedAndStartsNothing) {
    fs::create_directories(root / "work" / "Barcode.prn");  // a folder stands in its way
    state.record.set(Field::scan_mode, 2);
    print({IDOK});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Error");
    EXPECT_EQ(seen[0].text, "File open/create failed!");
}

// The real tool, beside the test program as it stands beside Tessmar.exe, writes the page.
TEST_F(PrintScannerSettings, StampwellBesideTheProgramWritesThePage) {
    ASSERT_TRUE(fs::exists(test_program_directory + "Stampwell.exe"));
    state.program_directory = test_program_directory;
    state.record.set(Field::scanner_timeout, 105);
    print({});
    EXPECT_TRUE(seen.empty());
    const fs::path page = root / "work" / "Barcode.html";
    // The tool runs on its own; give it time to finish, then look.
    for (int waited = 0; waited < 200 && read_file(page).find("</html>") == std::string::npos;
         ++waited) {
        Sleep(50);
        pump_messages();
    }
    const std::string html = read_file(page);
    ASSERT_NE(html.find("</html>"), std::string::npos) << "no page from Stampwell";
    EXPECT_NE(html.find("<h2>Scanner Settings</h2>"), std::string::npos);
    EXPECT_NE(html.find("data-code=\"51277335127700\""), std::string::npos);
    EXPECT_NE(html.find("<span class=\"number\">3</span>Scanner Timeout: 105</div>"),
              std::string::npos);
    EXPECT_NE(html.find("<span class=\"source\">Barcode.prn, written "), std::string::npos);
    EXPECT_NE(html.find("<span>Page 1 of 1</span></footer>"), std::string::npos);
}

}  // namespace
}  // namespace tessmar::test
