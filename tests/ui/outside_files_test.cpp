// Settings files from outside the program: the file Tessmar is started with, and files dropped on
// the main window.
#include <windows.h>

#include <optional>

#include "app/outside_files.h"
#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/temp_folder.h"
#include "tests/ui/support/tree_view_reader.h"

namespace tessmar::test {
namespace {

class OutsideFiles : public MainWindowTest {
  protected:
    // A settings file whose record differs from the factory one where the tree shows it.
    std::string write_settings_file(const std::string& name) {
        SettingsRecord record = factory_record();
        record.set(Field::keyboard_type, 0);  // RS-232
        record.set(Field::scan_mode, 1);      // "Continuous"
        file_record = record;
        const std::string path = folder.file(name);
        write_file_bytes(path, std::vector<std::uint8_t>(record.bytes.begin(), record.bytes.end()));
        return path;
    }

    std::string tree_line(std::size_t branch, std::size_t line) {
        return read_tree_view(GetDlgItem(window, IDC_TREE_VIEW))
            .children[branch]
            .children[line]
            .text;
    }

    void drop(const std::vector<std::string>& paths) {
        SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(make_file_drop(paths)), 0);
        pump_messages();
    }

    TempFolder folder{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    SettingsRecord file_record;
};

TEST_F(OutsideFiles, StartFileIsShownWithoutTheSheet) {
    const std::string path = write_settings_file("start.orl");
    ModalScript script;  // no window may open
    open_file_at_start(app, path);
    pump_messages();
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(state.record, file_record);
    EXPECT_EQ(state.current_file_path, path);
    EXPECT_FALSE(state.settings_modified);
    EXPECT_EQ(state.interface_class, InterfaceClass::rs232);
    EXPECT_EQ(tree_line(1, 0), "Scan Mode : Continuous");
}

TEST_F(OutsideFiles, StartFileNamedRelativelyKeepsItsFullName) {
    write_settings_file("relative.orl");
    std::array<char, MAX_PATH> previous{};
    GetCurrentDirectoryA(static_cast<DWORD>(previous.size()), previous.data());
    SetCurrentDirectoryA(folder.path().string().c_str());
    open_file_at_start(app, "relative.orl");
    SetCurrentDirectoryA(previous.data());
    EXPECT_EQ(state.current_file_path, folder.file("relative.orl"));
    EXPECT_EQ(state.record, file_record);
}

TEST_F(OutsideFiles, StartFileThatCannotBeReadIsReportedAndTheFactorySettingsStay) {
    ModalScript script;
    script.answer(IDOK);
    open_file_at_start(app, folder.file("missing.orl"));
    pump_messages();
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    ASSERT_EQ(script.message_boxes().size(), 1u);
    EXPECT_EQ(script.message_boxes()[0].caption, "Error");
    EXPECT_TRUE(script.message_boxes()[0].text.starts_with("Can't open the settings file!\n"));
    EXPECT_EQ(state.record, factory_record());
    EXPECT_TRUE(state.current_file_path.empty());
    EXPECT_FALSE(state.settings_modified);
    EXPECT_EQ(tree_line(1, 0), "Scan Mode : Laser");
}

// A drop is Open without the file dialog: the question about unsaved changes, then the file,
// then the Reader Settings sheet.
TEST_F(OutsideFiles, DropAsksAboutUnsavedChangesLikeOpen) {
    const struct {
        const char* name;
        bool modified;
        std::optional<int> answer;  // none: no question is asked
        bool opened;
        bool modified_after;
    } kCases[] = {
        {"unmodified", false, std::nullopt, true, false},
        {"yes saves first", true, IDYES, true, false},
        {"no drops the changes", true, IDNO, true, true},
        {"cancel keeps everything", true, IDCANCEL, false, true},
    };
    const std::string dropped = write_settings_file("dropped.orl");
    for (const auto& c : kCases) {
        load_factory_defaults(state);
        state.record.set(Field::scan_mode, 3);
        const SettingsRecord before = state.record;
        state.current_file_path = folder.file("current.orl");
        DeleteFileA(state.current_file_path.c_str());
        state.settings_modified = c.modified;

        ModalScript script;
        if (c.answer) {
            script.answer(*c.answer);
        }
        std::string sheet_caption;
        if (c.opened) {
            script.then([&](HWND sheet) {
                sheet_caption = window_text(sheet);
                cancel_window(sheet);
            });
        }
        drop({dropped});
        EXPECT_TRUE(script.finished_cleanly())
            << c.name << ::testing::PrintToString(script.problems());
        if (c.answer) {
            ASSERT_EQ(script.message_boxes().size(), 1u) << c.name;
            EXPECT_EQ(script.message_boxes()[0].text, "Save current settings ?") << c.name;
        }
        EXPECT_EQ(state.record, c.opened ? file_record : before) << c.name;
        EXPECT_EQ(state.current_file_path, c.opened ? dropped : folder.file("current.orl"))
            << c.name;
        EXPECT_EQ(state.settings_modified, c.modified_after) << c.name;
        EXPECT_EQ(sheet_caption, c.opened ? "Reader Settings" : "") << c.name;
        // Only Yes writes the changes, to the document's file.
        const std::vector<std::uint8_t> saved = read_file_bytes(folder.file("current.orl"));
        if (c.answer == IDYES) {
            ASSERT_EQ(saved.size(), kRecordSize) << c.name;
            EXPECT_EQ(saved[20] >> 4, 3) << c.name;
        } else {
            EXPECT_TRUE(saved.empty()) << c.name;
        }
    }
}

TEST_F(OutsideFiles, DropOfSeveralFilesOpensTheFirst) {
    const std::string first = write_settings_file("first.orl");
    const SettingsRecord first_record = file_record;
    const std::string second = write_settings_file("second.orl");
    ModalScript script;
    script.cancel();  // the Reader Settings sheet
    drop({first, second});
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(state.current_file_path, first);
    EXPECT_EQ(state.record, first_record);
}

// Nothing is opened from what is not a settings file, or from a file that cannot be read.
TEST_F(OutsideFiles, DropThatCannotBeOpenedChangesNothing) {
    const struct {
        const char* name;
        const char* message;
    } kCases[] = {
        {"notes.txt", "Only settings files (*.orl, *.toml) can be opened."},
        {"missing.orl", "Can't open the settings file!\n"},
    };
    write_file_bytes(folder.file("notes.txt"), std::vector<std::uint8_t>(kRecordSize, 0x41));
    state.current_file_path = folder.file("current.orl");
    for (const auto& c : kCases) {
        ModalScript script;
        script.answer(IDOK);
        drop({folder.file(c.name)});
        EXPECT_TRUE(script.finished_cleanly())
            << c.name << ::testing::PrintToString(script.problems());
        ASSERT_EQ(script.message_boxes().size(), 1u) << c.name;
        EXPECT_EQ(script.message_boxes()[0].caption, "Error") << c.name;
        EXPECT_TRUE(script.message_boxes()[0].text.starts_with(c.message)) << c.name;
        EXPECT_EQ(state.record, factory_record()) << c.name;
        EXPECT_EQ(state.current_file_path, folder.file("current.orl")) << c.name;
    }
}

TEST_F(OutsideFiles, MainWindowAcceptsDroppedFiles) {
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

}  // namespace
}  // namespace tessmar::test
