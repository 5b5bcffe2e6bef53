// Find setting, as a user does it: words typed, Enter, and the control of the setting found has
// the focus in the window that holds it, however deep.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"

namespace tessmar::test {
namespace {

using FindSetting = MainWindowTest;

// Where the focus is: the caption of the window that holds it, and its id.
struct Focus {
    std::string window;
    int id = 0;
};

// Each window the way opens records the focus once the windows inside it are done, so the
// innermost records it, and then closes.
ModalScript::Step record_then_close(Focus& focus) {
    return [&focus](HWND window) {
        pump_messages();
        if (HWND focused = GetFocus(); focus.id == 0 && focused) {
            focus = {window_text(GetParent(focused)), GetDlgCtrlID(focused)};
        }
        cancel_window(window);
    };
}

TEST_F(FindSetting, EnterFocusesTheControlOfTheFirstSettingFound) {
    const struct {
        const char* typed;
        int windows;  // opened on the way, the Reader Settings sheet included
        const char* window;
        int control;
    } kFinds[] = {
        {"scanner TIME", 1, "Scanner", IDC_SCANNER_TIMEOUT},
        {"keyboard type", 1, "Interface", IDC_KEYBOARD_TYPE},
        {"prefix", 1, "Symbology", IDC_PREFIX_CODE},
        {"length code 39", 1, "Length Code", IDC_LENGTH_CODE_FIRST},
        {"code id 128", 1, "Code ID", IDC_CODE_ID_FIRST + 8},
        {"exclusive", 1, "Edit Format", IDC_EDITING_EXCLUSIVE},
        {"full ascii", 2, "Code 39 Parameters", IDC_CODE39_FULL_ASCII},
        // A radio group is entered at its checked button, as Tab enters it.
        {"inter fixed", 2, "Interleave 25 Parameters", IDC_25_MAX_MIN_LENGTH},
        {"format 2 matching string", 2, "Applicable Conditions", IDC_MATCHING_STRING},
        {"format 3 additional 4", 2, "Field Settings", IDC_ADDITIONAL_FIELD_FIRST + 3},
        {"format 1 sequence", 2, "Transmission Sequence", IDC_SEQUENCE},
        {"format 1 field 2 include", 3, "Field2 Parameters", IDC_INCLUDE_TERMINATING_STRING},
    };
    for (const auto& find : kFinds) {
        SCOPED_TRACE(find.typed);
        Focus focus;
        ModalScript script;
        script.then([&](HWND dialog) {
            type_text(GetDlgItem(dialog, IDC_FIND_TEXT), find.typed);
            press_key(GetDlgItem(dialog, IDC_FIND_TEXT), VK_RETURN);
        });
        for (int i = 0; i < find.windows; ++i) {
            script.then(record_then_close(focus));
        }
        command(IDM_FIND_SETTING);
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        EXPECT_EQ(focus.window, find.window);
        EXPECT_EQ(focus.id, find.control);
    }
}

}  // namespace
}  // namespace tessmar::test
