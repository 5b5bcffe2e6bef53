// Nothing the technician did is lost: each command that could replace or close unsaved settings,
// answered each way, and the Reader Settings sheet closed after what writes the record at once.
#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/page_driver.h"
#include "tests/ui/support/temp_folder.h"

namespace tessmar::test {
namespace {

constexpr char kUnwritable[] = "Z:\\no\\such\\folder\\settings.orl";
constexpr char kSaveTheProgram[] = "Save the program ?";
constexpr char kSaveCurrentSettings[] = "Save current settings ?";

enum class Command { close, new_document, open, drop, read, configure };
enum class RecordAfter { same, changed };

// The prompt's answers that keep the changes. The save fails when the document's file cannot be
// written, and its Save As dialog is closed when the document has no file yet.
void cancel_it(ModalScript& script) {
    script.answer(IDCANCEL);
}
void yes_then_close_save_as(ModalScript& script) {
    script.answer(IDYES).cancel();
}
void yes_then_save_fails(ModalScript& script) {
    script.answer(IDYES).answer(IDOK);  // "Can't save the settings file!"
}

// In the sheet, what writes the record at once, then Cancel.
ModalScript::Step in_sheet(int tab, int control) {
    return [tab, control](HWND sheet) {
        click(show_tab(sheet, tab), control);
        cancel_window(sheet);
    };
}
constexpr int kCode39Configure = IDC_SYMBOLOGY_FIRST + IDC_CONFIGURE_OFFSET;
constexpr int kSymbologyTab = 2;
constexpr int kEditFormatTab = 5;

struct Row {
    const char* name;
    Command command;
    const char* file;  // the document's file before the command
    bool modified;
    void (*answers)(ModalScript& script);
    const char* question;  // the first message box expected; none when null
    RecordAfter record = RecordAfter::same;
    bool modified_after = true;
    bool running_after = true;
};

const Row kRows[] = {
    // A save that did not happen stops whatever asked for it.
    {"close, cancel", Command::close, "", true, cancel_it, kSaveTheProgram},
    {"close, save as closed", Command::close, "", true, yes_then_close_save_as, kSaveTheProgram},
    {"close, save failed", Command::close, kUnwritable, true, yes_then_save_fails, kSaveTheProgram},
    {"new, save as closed", Command::new_document, "", true, yes_then_close_save_as,
     kSaveCurrentSettings},
    {"new, save failed", Command::new_document, kUnwritable, true, yes_then_save_fails,
     kSaveCurrentSettings},
    {"open, save as closed", Command::open, "", true, yes_then_close_save_as, kSaveCurrentSettings},
    {"open, save failed", Command::open, kUnwritable, true, yes_then_save_fails,
     kSaveCurrentSettings},
    {"drop, save as closed", Command::drop, "", true, yes_then_close_save_as, kSaveCurrentSettings},
    {"drop, save failed", Command::drop, kUnwritable, true, yes_then_save_fails,
     kSaveCurrentSettings},
    // Reading a scanner asks first, as New and Open do.
    {"read, cancel", Command::read, "", true, cancel_it, kSaveCurrentSettings},
    {"read, save as closed", Command::read, "", true, yes_then_close_save_as, kSaveCurrentSettings},
    {"read, save failed", Command::read, kUnwritable, true, yes_then_save_fails,
     kSaveCurrentSettings},
    {"read, no, port dialog closed", Command::read, "", true,
     [](ModalScript& script) { script.answer(IDNO).cancel(); }, kSaveCurrentSettings},
    {"read, unmodified, port dialog closed", Command::read, "", false,
     [](ModalScript& script) { script.cancel(); }, nullptr, RecordAfter::same, false},
    // What writes the record before the sheet's Cancel leaves the document modified.
    {"reset, cancel", Command::configure, "", false,
     [](ModalScript& script) { script.then(in_sheet(0, IDC_SCANNER_RESET)); }, nullptr,
     RecordAfter::changed, true},
    {"parameter dialog ok, cancel", Command::configure, "", false,
     [](ModalScript& script) {
         script.then(in_sheet(kSymbologyTab, kCode39Configure)).then([](HWND dialog) {
             click(dialog, IDC_CODE39_FULL_ASCII);
             press_button(dialog, IDOK);
         });
     },
     nullptr, RecordAfter::changed, true},
    {"editing format ok, cancel", Command::configure, "", false,
     [](ModalScript& script) {
         script.then(in_sheet(kEditFormatTab, IDC_CONFIGURE_FORMAT_FIRST)).then([](HWND sheet) {
             click(current_page(sheet), IDC_CODE_TYPE_CLEAR_ALL);
             press_sheet_button(sheet, PSBTN_OK);
         });
     },
     nullptr, RecordAfter::changed, true},
    {"parameter dialog ok unchanged, cancel", Command::configure, "", false,
     [](ModalScript& script) {
         script.then(in_sheet(kSymbologyTab, kCode39Configure)).then([](HWND dialog) {
             press_button(dialog, IDOK);
         });
     },
     nullptr, RecordAfter::same, false},
    // Last, as the window goes.
    {"close, no", Command::close, "", true, [](ModalScript& script) { script.answer(IDNO); },
     kSaveTheProgram, RecordAfter::same, true, false},
};

class UnsavedChanges : public MainWindowTest {
  protected:
    void run(const Row& row) {
        switch (row.command) {
            case Command::close:
                SendMessageA(window, WM_CLOSE, 0, 0);
                break;
            case Command::new_document:
                command(IDM_FILE_NEW);
                break;
            case Command::open:
                command(IDM_FILE_OPEN);
                break;
            case Command::drop:
                SendMessageA(window, WM_DROPFILES,
                             reinterpret_cast<WPARAM>(make_file_drop({folder.file("x.orl")})), 0);
                break;
            case Command::read:
                command(IDM_READ_SCANNER_SETTINGS);
                break;
            case Command::configure:
                command(IDM_CONFIGURE_SCANNER);
                break;
        }
        pump_messages();
    }

    TempFolder folder{"unsaved-changes"};
};

TEST_F(UnsavedChanges, EachCommandAnsweredEachWayKeepsWhatWasNotSaved) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(IsWindow(window));
        state.record = factory_record();
        state.record.set(Field::scanner_timeout, 99);
        state.current_file_path = row.file;
        state.settings_modified = row.modified;
        const SettingsRecord before = state.record;

        ModalScript script;
        row.answers(script);
        run(row);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        if (row.question) {
            ASSERT_FALSE(script.message_boxes().empty());
            EXPECT_EQ(script.message_boxes()[0].text, row.question);
        }
        EXPECT_EQ(state.record == before, row.record == RecordAfter::same);
        EXPECT_EQ(state.current_file_path, row.file);
        EXPECT_EQ(state.settings_modified, row.modified_after);
        EXPECT_EQ(IsWindow(window) != FALSE, row.running_after);
    }
}

}  // namespace
}  // namespace tessmar::test
