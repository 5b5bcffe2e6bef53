#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <numeric>

#include "model/settings_fingerprint.h"
#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/temp_folder.h"

namespace tessmar::test {
namespace {

class SettingsFiles : public MainWindowTest {
  protected:
    // Saves As through the real dialog with the name typed as `typed`.
    void save_as(const std::string& typed) {
        ModalScript script;
        script.then([&](HWND dialog) { choose_file_name(dialog, typed); });
        command(IDM_FILE_SAVE_AS);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    }

    // Opens `path` through the real dialog, answering a message with `answer` if given; a
    // successful Open then shows the Reader Settings sheet, which is cancelled.
    void open(const std::string& path, bool expect_sheet, int answer = 0) {
        ModalScript script;
        script.then([&](HWND dialog) { choose_file_name(dialog, path); });
        if (answer != 0) {
            script.answer(answer);
        }
        if (expect_sheet) {
            script.then([&](HWND sheet) {
                sheet_caption = window_text(sheet);
                cancel_window(sheet);
            });
        }
        command(IDM_FILE_OPEN);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        said = script.message_boxes();
    }

    TempFolder folder{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string sheet_caption;
    std::vector<MessageBoxSeen> said;  // by the last Open
};

TEST_F(SettingsFiles, SaveAsThenOpenRestoresTheRecordExactly) {
    state.record.set(Field::keyboard_type, 0);  // RS-232
    state.record.set(Field::scan_mode, 1);
    state.record.edit_format(6).bytes()[50] = 0x5A;  // the seventh block travels too
    state.record.bytes[1561] = 0xA7;
    state.settings_modified = true;
    const SettingsRecord saved = state.record;

    save_as(folder.file("round"));
    EXPECT_EQ(state.current_file_path, folder.file("round.orl"));
    EXPECT_FALSE(state.settings_modified);
    const std::vector<std::uint8_t> bytes = read_file_bytes(folder.file("round.orl"));
    ASSERT_EQ(bytes.size(), kRecordSize);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), saved.bytes.begin()));

    load_factory_defaults(state);
    state.interface_class = InterfaceClass::keyboard_wedge;
    open(folder.file("round.orl"), true);
    EXPECT_EQ(sheet_caption, "Reader Settings");
    EXPECT_EQ(state.record, saved);
    EXPECT_EQ(state.interface_class, InterfaceClass::rs232);
    EXPECT_EQ(state.defaults_snapshot, factory_record());
}

// The status bar names the settings by their fingerprint after Save and Open, and after Open the
// key strings that do not fit the file's own interface.
TEST_F(SettingsFiles, TheStatusBarGivesTheFingerprintAndKeyStringsThatDoNotFit) {
    state.record.set(Field::keyboard_type, 0);  // RS-232, where a modifier means nothing
    state.record.key_string(KeySlot::prefix_code)[0] = 0xC1;
    state.record.key_string(KeySlot::prefix_code)[1] = 'A';
    const std::string named = "fit.orl (fingerprint " + settings_fingerprint(state.record.bytes);
    const auto status = [&] { return window_text(GetDlgItem(window, IDC_STATUS_BAR)); };
    save_as(folder.file("fit"));
    EXPECT_EQ(status(), "Saved " + named + ")");
    load_factory_defaults(state);
    open(folder.file("fit.orl"), true);
    EXPECT_EQ(status(),
              "Opened " + named + "). Not meant for this interface: Prefix Code [0xC1][A]");
}

// Settings as text: Save As writes them when the name or the type chosen says so, Open reads them
// back, and a text with an error is refused with the lines the command-line tool gives, changing
// nothing.
TEST_F(SettingsFiles, SettingsAsTextAreSavedOpenedAndRefusedWithTheirErrors) {
    state.record.set(Field::scan_mode, 1);
    state.settings_modified = true;
    const SettingsRecord saved = state.record;
    const struct {
        const char* typed;
        bool text_type_chosen;
        const char* written;
    } kSaves[] = {{"site.toml", false, "site.toml"}, {"fleet", true, "fleet.toml"}};
    for (const auto& c : kSaves) {
        SCOPED_TRACE(c.typed);
        ModalScript script;
        script.then([&](HWND dialog) {
            if (c.text_type_chosen) {
                constexpr int kFileTypeCombo = 0x470;  // cmb1
                HWND types = GetDlgItem(dialog, kFileTypeCombo);
                ComboBox_SetCurSel(types, 1);
                // As a user's choice ends: the selection changes, then it is taken.
                for (const WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
                    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeCombo, code),
                                 reinterpret_cast<LPARAM>(types));
                }
            }
            choose_file_name(dialog, folder.file(c.typed));
        });
        command(IDM_FILE_SAVE_AS);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        EXPECT_EQ(state.current_file_path, folder.file(c.written));
        const std::vector<std::uint8_t> text = read_file_bytes(folder.file(c.written));
        EXPECT_NE(std::string(text.begin(), text.end()).find("scan_mode = \"Continuous\""),
                  std::string::npos);
    }

    load_factory_defaults(state);
    open(folder.file("site.toml"), true);
    EXPECT_EQ(state.record, saved);
    EXPECT_EQ(state.current_file_path, folder.file("site.toml"));

    const std::string bad = folder.file("bad.toml");
    const std::string text = "[scanner]\nscan_mode = \"Sideways\"\n";
    write_file_bytes(bad, {text.begin(), text.end()});
    open(bad, false, IDOK);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].text.rfind("Can't open the settings file!\n" + bad + ":2:13: ", 0), 0u)
        << said[0].text;
    EXPECT_EQ(state.record, saved);
    EXPECT_EQ(state.current_file_path, folder.file("site.toml"));

    // A partial text is saved partial: only what differs from the factory, under its base line.
    const std::string partial = "base = \"factory\"\n[scanner]\nscan_mode = 1\n";
    write_file_bytes(folder.file("short.toml"), {partial.begin(), partial.end()});
    open(folder.file("short.toml"), true);
    command(IDM_FILE_SAVE);
    const std::vector<std::uint8_t> short_text = read_file_bytes(folder.file("short.toml"));
    EXPECT_TRUE(std::string(short_text.begin(), short_text.end())
                    .ends_with("base = \"factory\"\n\n[scanner]\nscan_mode = \"Continuous\"\n\n"
                               "# End of settings\n"));
}

TEST_F(SettingsFiles, SaveAsForcesTheExtension) {
    const struct {
        const char* typed;
        const char* stored;
    } kNames[] = {
        {"plain", "plain.orl"},
        {"text.txt", "text.txt.orl"},
        {"upper.ORL", "upper.ORL.orl"},
        {"lower.orl", "lower.orl"},
    };
    for (const auto& name : kNames) {
        save_as(folder.file(name.typed));
        EXPECT_EQ(state.current_file_path, folder.file(name.stored)) << name.typed;
        EXPECT_EQ(read_file_bytes(folder.file(name.stored)).size(), kRecordSize) << name.typed;
    }
}

TEST_F(SettingsFiles, SaveAsOntoAnExistingFileAsksFirst) {
    write_file_bytes(folder.file("old.orl"), std::vector<std::uint8_t>(kRecordSize, 1));
    ModalScript script;
    script.then([&](HWND dialog) { choose_file_name(dialog, folder.file("old.orl")); })
        .answer(IDYES);
    command(IDM_FILE_SAVE_AS);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    const std::vector<std::uint8_t> bytes = read_file_bytes(folder.file("old.orl"));
    ASSERT_EQ(bytes.size(), kRecordSize);
    EXPECT_EQ(bytes[0], 0x9B);
}

// "x.ORL" is saved as "x.ORL.orl": the dialog asked only about "x.ORL", so a file of the name
// written is asked about before it is replaced. No goes back to the dialog, here cancelled.
TEST_F(SettingsFiles, SaveAsAsksBeforeReplacingTheFileOfTheNameWithOrlAdded) {
    const struct {
        int answer;
        bool replaced;
    } kCases[] = {{IDNO, false}, {IDYES, true}};
    const std::vector<std::uint8_t> old(kRecordSize, 0x5C);
    for (const auto& c : kCases) {
        write_file_bytes(folder.file("x.ORL.orl"), old);
        state.current_file_path = folder.file("before.orl");
        ModalScript script;
        script.then([&](HWND dialog) { choose_file_name(dialog, folder.file("x.ORL")); })
            .answer(c.answer);
        if (!c.replaced) {
            script.cancel();  // the dialog again
        }
        command(IDM_FILE_SAVE_AS);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        ASSERT_EQ(script.message_boxes().size(), 1u);
        EXPECT_EQ(script.message_boxes()[0].caption, "Confirm Save As");
        EXPECT_EQ(script.message_boxes()[0].text,
                  "x.ORL.orl already exists.\nDo you want to replace it?");
        const std::vector<std::uint8_t> bytes = read_file_bytes(folder.file("x.ORL.orl"));
        EXPECT_EQ(bytes == old, !c.replaced) << c.answer;
        EXPECT_EQ(state.current_file_path, folder.file(c.replaced ? "x.ORL.orl" : "before.orl"));
        EXPECT_FALSE(std::filesystem::exists(folder.file("x.ORL")));
    }
}

// Folders and files named in letters that Windows-1252 lacks keep their names through Save As
// and Open.
TEST_F(SettingsFiles, NamesOutsideTheWesternCodePageRoundTrip) {
    const std::filesystem::path place = folder.path() / utf8_path("Ρυθμίσεις Щит");
    std::filesystem::create_directories(place);
    const std::string typed = (place / utf8_path("σαρωτής")).string();
    state.record.set(Field::scan_mode, 3);
    const SettingsRecord saved = state.record;

    save_as(typed);
    EXPECT_EQ(state.current_file_path, typed + ".orl");
    EXPECT_EQ(read_file_bytes(typed + ".orl").size(), kRecordSize);
    // The name on disk is the one typed, letter for letter.
    EXPECT_TRUE(std::filesystem::exists(place / u8"σαρωτής.orl"));

    load_factory_defaults(state);
    state.current_file_path.clear();
    open(typed + ".orl", true);
    EXPECT_EQ(state.record, saved);
    EXPECT_EQ(state.current_file_path, typed + ".orl");
}

TEST_F(SettingsFiles, SaveWithNoFileAsksForANameAndCancellingWritesNothing) {
    state.settings_modified = true;
    ModalScript script;
    std::string dialog_class;
    script.then([&](HWND dialog) {
        dialog_class = class_name(dialog);
        cancel_window(dialog);
    });
    command(IDM_FILE_SAVE);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(dialog_class, "#32770");
    EXPECT_TRUE(state.current_file_path.empty());
    EXPECT_TRUE(state.settings_modified);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(SettingsFiles, SaveToTheCurrentFileClearsTheModifiedFlag) {
    state.current_file_path = folder.file("current.orl");
    state.record.set(Field::scan_mode, 4);
    state.settings_modified = true;
    ModalScript script;
    command(IDM_FILE_SAVE);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_FALSE(state.settings_modified);
    EXPECT_EQ(read_file_bytes(folder.file("current.orl"))[20], 0x40);
}

// A file that is not one record long opens as it is, with a word about its size, and is never
// saved over unasked: the document has no file name, so Save asks for one.
TEST_F(SettingsFiles, AFileOfAnotherSizeIsSaidSoAndSaveAsksForAName) {
    std::vector<std::uint8_t> long_file(2000);
    std::iota(long_file.begin(), long_file.end(), 0);
    const struct {
        std::string name;
        std::vector<std::uint8_t> bytes;
        std::string said;
    } kCases[] = {
        {"short.orl", std::vector<std::uint8_t>(100, 0x33),
         " holds 100 bytes, not 1562: it was read over the current settings."},
        {"long.orl", long_file, " holds 2000 bytes, not 1562: its first 1562 bytes were read."}};
    for (const auto& c : kCases) {
        write_file_bytes(folder.file(c.name), c.bytes);
        load_factory_defaults(state);
        state.current_file_path = folder.file("before.orl");
        open(folder.file(c.name), true, IDOK);
        ASSERT_EQ(said.size(), 1u);
        EXPECT_EQ(said[0].caption + ": " + said[0].text, "Open: " + c.name + c.said);
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            ASSERT_EQ(state.record.bytes[i],
                      i < c.bytes.size() ? c.bytes[i] : factory_record().bytes[i])
                << i;
        }
        ModalScript save;
        save.then([&](HWND dialog) {
            EXPECT_EQ(window_text(dialog), "Save As");
            cancel_window(dialog);
        });
        command(IDM_FILE_SAVE);
        EXPECT_TRUE(save.finished_cleanly()) << ::testing::PrintToString(save.problems());
        EXPECT_EQ(read_file_bytes(folder.file(c.name)), c.bytes);
    }
}

// A file held open without sharing cannot be read: Open says so, and the document keeps its
// previous name, so the next Save cannot overwrite the file that failed.
TEST_F(SettingsFiles, FailedOpenIsReportedAndLeavesTheRecordAndTheName) {
    write_file_bytes(folder.file("locked.orl"), std::vector<std::uint8_t>(kRecordSize, 0x11));
    HANDLE lock = CreateFileA(folder.file("locked.orl").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    state.current_file_path = folder.file("before.orl");
    ModalScript script;
    script.then([&](HWND dialog) { choose_file_name(dialog, folder.file("locked.orl")); })
        .answer(IDOK);
    command(IDM_FILE_OPEN);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    ASSERT_EQ(script.message_boxes().size(), 1u);
    const std::string why =
        "Can't open the settings file!\nCannot open " + folder.file("locked.orl");
    EXPECT_EQ(script.message_boxes()[0].text.substr(0, why.size()), why);
    EXPECT_EQ(state.record, factory_record());
    EXPECT_EQ(state.current_file_path, folder.file("before.orl"));

    // Save then writes the previous file, and the held one keeps its bytes.
    ModalScript save;
    command(IDM_FILE_SAVE);
    CloseHandle(lock);
    EXPECT_TRUE(save.finished_cleanly()) << ::testing::PrintToString(save.problems());
    EXPECT_EQ(read_file_bytes(folder.file("before.orl")).size(), kRecordSize);
    EXPECT_EQ(read_file_bytes(folder.file("locked.orl")),
              std::vector<std::uint8_t>(kRecordSize, 0x11));
}

// Another program reading the file (an indexer, a virus scanner) does not stop Open.
TEST_F(SettingsFiles, OpenReadsAFileThatAnotherProgramIsReading) {
    write_file_bytes(folder.file("shared.orl"), std::vector<std::uint8_t>(kRecordSize, 0x11));
    HANDLE reader = CreateFileA(folder.file("shared.orl").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    open(folder.file("shared.orl"), true);
    CloseHandle(reader);
    EXPECT_EQ(state.record.bytes[0], 0x11);
    EXPECT_EQ(state.current_file_path, folder.file("shared.orl"));
}

TEST_F(SettingsFiles, CancelledOpenChangesNothing) {
    state.record.set(Field::scan_mode, 3);
    const SettingsRecord before = state.record;
    ModalScript script;
    script.cancel();
    command(IDM_FILE_OPEN);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(state.record, before);
}

TEST_F(SettingsFiles, OpenWithUnsavedChangesAnsweredCancelDoesNotOpen) {
    state.settings_modified = true;
    ModalScript script;
    script.answer(IDCANCEL);
    command(IDM_FILE_OPEN);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    ASSERT_EQ(script.message_boxes().size(), 1u);
    EXPECT_EQ(script.message_boxes()[0].text, "Save current settings ?");
    EXPECT_TRUE(state.settings_modified);
}

// A failed save is reported, keeps the modified flag and the document's file name, and leaves the
// previous file intact: here Save and Save As (after its overwrite question) onto a read-only
// file, which they must not replace.
TEST_F(SettingsFiles, SavingOverAReadOnlyFileShowsTheErrorAndKeepsTheFile) {
    const std::vector<std::uint8_t> old(kRecordSize, 0x21);
    write_file_bytes(folder.file("ro.orl"), old);
    ASSERT_TRUE(SetFileAttributesA(folder.file("ro.orl").c_str(), FILE_ATTRIBUTE_READONLY));
    for (const int command_id : {IDM_FILE_SAVE, IDM_FILE_SAVE_AS}) {
        const std::string document =
            folder.file(command_id == IDM_FILE_SAVE ? "ro.orl" : "document.orl");
        state.current_file_path = document;
        state.settings_modified = true;
        ModalScript script;
        if (command_id == IDM_FILE_SAVE_AS) {
            script.then([&](HWND dialog) { choose_file_name(dialog, folder.file("ro.orl")); })
                .answer(IDYES);
        }
        script.answer(IDOK);
        command(command_id);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        ASSERT_FALSE(script.message_boxes().empty());
        EXPECT_EQ(script.message_boxes().back().caption, "Error");
        EXPECT_TRUE(
            script.message_boxes().back().text.starts_with("Can't save the settings file!\n"));
        EXPECT_TRUE(state.settings_modified);
        EXPECT_EQ(state.current_file_path, document);
        EXPECT_EQ(read_file_bytes(folder.file("ro.orl")), old);
    }
    SetFileAttributesA(folder.file("ro.orl").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The new file is written under a name of its own: a user's file named like a fixed temporary
// name stays untouched, and nothing else is left in the folder.
TEST_F(SettingsFiles, SaveLeavesOtherFilesInTheFolderAlone) {
    write_file_bytes(folder.file("mine.orl.tmp"), std::vector<std::uint8_t>(10, 0x44));
    state.current_file_path = folder.file("mine.orl");
    ModalScript script;
    command(IDM_FILE_SAVE);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(read_file_bytes(folder.file("mine.orl")).size(), kRecordSize);
    EXPECT_EQ(read_file_bytes(folder.file("mine.orl.tmp")), std::vector<std::uint8_t>(10, 0x44));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}

TEST_F(SettingsFiles, SaveIntoAFolderThatIsGoneShowsTheError) {
    state.current_file_path = folder.file("gone\\settings.orl");
    state.settings_modified = true;
    ModalScript script;
    script.answer(IDOK);
    command(IDM_FILE_SAVE);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    ASSERT_EQ(script.message_boxes().size(), 1u);
    const std::string why =
        "Can't save the settings file!\nCannot create " + folder.file("gone\\settings.orl") + ": ";
    EXPECT_EQ(script.message_boxes()[0].text.substr(0, why.size()), why);
    EXPECT_TRUE(state.settings_modified);
}

// A name that would not fit the document's path with ".orl" added is refused, not cut.
TEST_F(SettingsFiles, SaveAsRefusesANameTooLongForThePath) {
    std::filesystem::path deep = folder.path();
    while (deep.string().size() < 246) {
        deep /= std::string(std::min<std::size_t>(40, 246 - deep.string().size() + 1), 'd');
    }
    std::filesystem::create_directories(deep);
    const std::string typed = (deep / "n.txt").string();
    ASSERT_GT(typed.size() + 4, kMaxFilePathChars);
    ASSERT_LT(typed.size(), 260u);

    state.current_file_path = folder.file("before.orl");
    ModalScript script;
    script.then([&](HWND dialog) { choose_file_name(dialog, typed); }).answer(IDOK);
    command(IDM_FILE_SAVE_AS);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    ASSERT_EQ(script.message_boxes().size(), 1u);
    EXPECT_EQ(script.message_boxes()[0].caption, "Error");
    EXPECT_NE(script.message_boxes()[0].text.find("too long"), std::string::npos);
    EXPECT_EQ(state.current_file_path, folder.file("before.orl"));
    EXPECT_FALSE(std::filesystem::exists(typed + ".orl"));
}

}  // namespace
}  // namespace tessmar::test
