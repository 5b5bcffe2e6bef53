// Print scanner settings: the sheet file in the current directory, the question when nothing
// differs, and the start of Stampwell.exe from the program's directory with its three failures.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/settings_fingerprint.h"
#include "resources/resource.h"
#include "sheet/ui/print_scanner_settings.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/other_program.h"
#include "tests/ui/support/temp_folder.h"

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

    // Copies the real Stampwell.exe, built beside the test program, into `folder` under the
    // test's folder, and makes that the program's directory.
    void install_stampwell(const std::string& folder) {
        const fs::path directory = root / utf8_path(folder);
        fs::create_directories(directory);
        fs::copy_file(test_program_directory + "Stampwell.exe", directory / "Stampwell.exe");
        state.program_directory = directory.string() + "\\";
    }

    // The page Stampwell writes beside the sheet, once it is complete. The tool runs on its own;
    // it is given time to finish.
    std::string page_written(const fs::path& folder) {
        const fs::path page = folder / "Barcode.html";
        for (int waited = 0; waited < 200 && read_file(page).find("</html>") == std::string::npos;
             ++waited) {
            Sleep(50);
            pump_messages();
        }
        return read_file(page);
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

TEST_F(PrintScannerSettings, EachFailureToStartTheToolHasItsMessage) {
    const struct {
        const char* program_folder;  // under the test's folder
        const char* tool_content;    // null for no Stampwell.exe
        const char* message;
    } kCases[] = {
        {"program", "not a program", "The Stampwell file is invalid"},
        {"program", nullptr, "The Stampwell file was not found!"},
        {"gone", nullptr, "The Stampwell path was not found!"},
    };
    state.record.set(Field::enable_code_93, 0);
    for (const auto& c : kCases) {
        const fs::path tool = root / "program" / "Stampwell.exe";
        fs::remove(tool);
        if (c.tool_content) {
            std::ofstream(tool) << c.tool_content;
        }
        state.program_directory = (root / c.program_folder).string() + "\\";
        seen.clear();
        print({IDOK});
        ASSERT_EQ(seen.size(), 1u) << c.message;
        EXPECT_EQ(seen[0].caption, "Error");
        EXPECT_EQ(seen[0].text, c.message);
    }
}

// Other errors, which have no message of their own, show none.
TEST(StampwellStartFailure, OtherErrorsHaveNoMessage) {
    for (const DWORD error : {ERROR_ACCESS_DENIED, ERROR_NOT_ENOUGH_MEMORY, ERROR_BAD_FORMAT}) {
        EXPECT_EQ(stampwell_start_failure_text(error), nullptr) << error;
    }
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
    // The second line names the file and says why, in the system's words.
    const std::string why = "File open/create failed!\nCannot create Barcode.prn: ";
    EXPECT_EQ(seen[0].text.substr(0, why.size()), why);
    EXPECT_TRUE(seen[0].text.ends_with(".")) << seen[0].text;
}

// The real tool, beside the program as it stands beside Tessmar.exe, writes the page in the
// current directory: from Program Files, whose name holds a blank, and from folders named in
// letters that Windows-1252 lacks.
TEST_F(PrintScannerSettings, StampwellBesideTheProgramWritesThePage) {
    const struct {
        const char* program_folder;
        const char* work_folder;
    } kCases[] = {
        {"Program Files\\Tessmar", "work"},
        {"Τέσσμαρ Ωμέγα", "Щит сканера"},
    };
    ASSERT_TRUE(fs::exists(test_program_directory + "Stampwell.exe"));
    state.record.set(Field::scanner_timeout, 105);
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.program_folder);
        install_stampwell(c.program_folder);
        const fs::path work = root / utf8_path(c.work_folder);
        fs::create_directories(work);
        fs::current_path(work);
        seen.clear();
        print({});
        EXPECT_TRUE(seen.empty()) << seen[0].text;
        const std::string html = page_written(work);
        ASSERT_NE(html.find("</html>"), std::string::npos) << "no page from Stampwell";
        EXPECT_NE(html.find("<h2>Scanner Settings</h2>"), std::string::npos);
        EXPECT_NE(html.find("data-code=\"51277335127700\""), std::string::npos);
        EXPECT_NE(html.find("<span class=\"number\">3</span>Scanner Timeout: 105</div>"),
                  std::string::npos);
        // The fingerprint the status bar gives after Save and Open, and the settings text too.
        EXPECT_NE(html.find("<span class=\"source\">" + settings_fingerprint(state.record.bytes) +
                            " new settings, Barcode.prn, written "),
                  std::string::npos);
        EXPECT_NE(html.find("<span>Page 1 of 1</span></footer>"), std::string::npos);
    }
}

// A file saved in another folder leaves the current directory where it was: the sheet and its
// page go where Tessmar started, and the status bar names the page.
TEST_F(PrintScannerSettings, TheSheetStaysInTheStartFolderAfterTheSaveAsDialogWentElsewhere) {
    install_stampwell("program");
    fs::create_directories(root / "elsewhere");
    state.record.set(Field::scanner_timeout, 105);
    ModalScript script;
    script.then(
        [&](HWND dialog) { choose_file_name(dialog, (root / "elsewhere" / "n.orl").string()); });
    command(IDM_FILE_SAVE_AS);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    ASSERT_TRUE(fs::exists(root / "elsewhere" / "n.orl"));

    print({});
    EXPECT_EQ(fs::current_path(), root / "work");
    EXPECT_NE(page_written(root / "work").find("</html>"), std::string::npos);
    EXPECT_EQ(
        window_text(GetDlgItem(window, IDC_STATUS_BAR)),
        "Stampwell writes the setup barcodes to " + (fs::current_path() / "Barcode.html").string());
}

// With another program in front, the message still belongs to the main window, so it comes up
// over it and keeps it from taking input.
TEST_F(PrintScannerSettings, WithAnotherProgramInFrontTheMessageBelongsToTheMainWindow) {
    OtherProgram other;
    ASSERT_TRUE(other.come_to_front());
    state.record.set(Field::scan_mode, 2);
    HWND owner = nullptr;
    ModalScript script;
    script.then([&](HWND box) {
        owner = GetWindow(box, GW_OWNER);
        seen.push_back(read_message_box(box));
        press_button(box, IDOK);
    });
    command(IDM_PRINT_SCANNER_SETTINGS);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "The Stampwell file was not found!");
    EXPECT_EQ(owner, window);
}

}  // namespace
}  // namespace tessmar::test
