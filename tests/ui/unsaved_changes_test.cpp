// Nothing the technician did is lost: each command that could replace or close unsaved settings,
// answered each way, and the Reader Settings sheet closed after a dialog wrote the record.
#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/page_driver.h"

namespace tessmar::test {
namespace {

enum class Command { close, new_document, open, drop, read, configure };

// A step that opens the Code 39 dialog from the sheet, then cancels the sheet.
void code_39_dialog_then_cancel(HWND sheet) {
    click(show_tab(sheet, 2), IDC_SYMBOLOGY_FIRST + IDC_CONFIGURE_OFFSET);
    cancel_window(sheet);
}

struct Row {
    const char* name;
    Command command;
    bool modified;
    void (*answers)(ModalScript& script);
    bool record_changes = false;
    bool modified_after = true;
    bool running_after = true;
};

// Yes, then the Save As dialog closed: the save did not happen.
void save_as_closed(ModalScript& script) {
    script.answer(IDYES).cancel();
}

const Row kRows[] = {
    {"close", Command::close, true, save_as_closed},
    {"new", Command::new_document, true, save_as_closed},
    {"open", Command::open, true, save_as_closed},
    {"drop", Command::drop, true, save_as_closed},
    {"read", Command::read, true, save_as_closed},
    {"read, cancel", Command::read, true, [](ModalScript& s) { s.answer(IDCANCEL); }},
    {"read, no, port dialog closed", Command::read, true,
     [](ModalScript& s) { s.answer(IDNO).cancel(); }},
    {"read unmodified asks nothing", Command::read, false, [](ModalScript& s) { s.cancel(); },
     false, false},
    {"dialog changed the record", Command::configure, false,
     [](ModalScript& s) {
         s.then(code_39_dialog_then_cancel).then([](HWND dialog) {
             click(dialog, IDC_CODE39_FULL_ASCII);
             press_button(dialog, IDOK);
         });
     },
     true, true},
    {"dialog changed nothing", Command::configure, false,
     [](ModalScript& s) {
         s.then(code_39_dialog_then_cancel).then([](HWND dialog) { press_button(dialog, IDOK); });
     },
     false, false},
    {"close, no", Command::close, true, [](ModalScript& s) { s.answer(IDNO); }, false, true,
     false},  // last, as the window goes
};

class UnsavedChanges : public MainWindowTest {
  protected:
    void run(Command command_to_run) {
        constexpr UINT kIds[] = {
            0, IDM_FILE_NEW, IDM_FILE_OPEN, 0, IDM_READ_SCANNER_SETTINGS, IDM_CONFIGURE_SCANNER};
        if (command_to_run == Command::close) {
            SendMessageA(window, WM_CLOSE, 0, 0);
        } else if (command_to_run == Command::drop) {
            const HDROP drop = make_file_drop({"C:\\sites\\north.orl"});
            SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        } else {
            command(kIds[static_cast<int>(command_to_run)]);
        }
        pump_messages();
    }
};

TEST_F(UnsavedChanges, ASaveThatDidNotHappenStopsTheCommandAndTheSheetMarksWhatChanged) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        state.record.set(Field::scanner_timeout, 99);
        state.current_file_path.clear();
        state.settings_modified = row.modified;
        const SettingsRecord before = state.record;
        ModalScript script;
        row.answers(script);
        run(row.command);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        if (row.modified) {
            ASSERT_FALSE(script.message_boxes().empty());
            EXPECT_EQ(script.message_boxes()[0].text, row.command == Command::close
                                                          ? "Save the program ?"
                                                          : "Save current settings ?");
        }
        EXPECT_EQ(state.record != before, row.record_changes);
        EXPECT_EQ(state.current_file_path, "");
        EXPECT_EQ(state.settings_modified, row.modified_after);
        EXPECT_EQ(IsWindow(window) != FALSE, row.running_after);
    }
}

}  // namespace
}  // namespace tessmar::test
