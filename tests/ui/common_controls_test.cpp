// Version 6 of the common controls registers only the classes a program asks for: every class
// the program's windows and dialogs use must come with a class group it registers at start.
#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "link/ui/progress_window.h"
#include "tests/ui/support/main_window_fixture.h"
#include "win32/common_controls.h"

namespace tessmar::test {
namespace {

struct ClassGroup {
    DWORD flag;
    std::vector<std::string> classes;
};

// What each flag the program may ask for registers, as Microsoft lists it.
const ClassGroup kClassGroups[] = {
    {ICC_STANDARD_CLASSES,
     {WC_BUTTONA, WC_EDITA, WC_LISTBOXA, WC_COMBOBOXA, WC_SCROLLBARA, WC_STATICA}},
    {ICC_BAR_CLASSES, {TOOLBARCLASSNAMEA, STATUSCLASSNAMEA, TRACKBAR_CLASSA, TOOLTIPS_CLASSA}},
    {ICC_TREEVIEW_CLASSES, {WC_TREEVIEWA, TOOLTIPS_CLASSA}},
    {ICC_TAB_CLASSES, {WC_TABCONTROLA, TOOLTIPS_CLASSA}},
    {ICC_LISTVIEW_CLASSES, {WC_LISTVIEWA, WC_HEADERA}},
    {ICC_UPDOWN_CLASS, {UPDOWN_CLASSA}},
    {ICC_PROGRESS_CLASS, {PROGRESS_CLASSA}},
};

// Dialogs themselves are the system's own class.
constexpr char kDialogClass[] = "#32770";

bool registered(const std::string& name) {
    for (const ClassGroup& group : kClassGroups) {
        if ((kCommonControlClasses & group.flag) != group.flag) {
            continue;
        }
        for (const std::string& listed : group.classes) {
            if (lstrcmpiA(listed.c_str(), name.c_str()) == 0) {
                return true;
            }
        }
    }
    return false;
}

// The classes of `window`'s descendants.
void add_child_classes(HWND window, std::set<std::string>& classes) {
    EnumChildWindows(
        window,
        [](HWND child, LPARAM found) {
            reinterpret_cast<std::set<std::string>*>(found)->insert(class_name(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&classes));
}

INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// Every dialog template of the program, made with a procedure that does nothing, so that each
// shows only the controls of its template.
std::set<std::string> template_classes() {
    const HMODULE module = GetModuleHandleA(nullptr);
    std::vector<std::string> names;
    EnumResourceNamesA(
        module, RT_DIALOG,
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
            // Every template of the program has a name.
            if (!IS_INTRESOURCE(name)) {
                reinterpret_cast<std::vector<std::string>*>(found)->push_back(name);
            }
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&names));
    EXPECT_GT(names.size(), 20u);
    // Page templates are child windows, which need a parent.
    HWND parent = CreateWindowExA(0, WC_STATICA, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  module, nullptr);
    std::set<std::string> classes;
    for (const std::string& name : names) {
        HWND dialog = CreateDialogParamA(module, name.c_str(), parent, InertDialogProc, 0);
        EXPECT_NE(dialog, nullptr) << name;
        add_child_classes(dialog, classes);
        DestroyWindow(dialog);
    }
    DestroyWindow(parent);
    return classes;
}

class CommonControls : public MainWindowTest {};

TEST_F(CommonControls, EveryClassTheWindowsUseIsRegisteredAtStart) {
    std::set<std::string> classes = template_classes();
    // The main window's children and tooltips, the progress bar, and the property sheet's tabs.
    add_child_classes(window, classes);
    classes.insert(class_name(app.tooltips));
    {
        const ProgressWindow progress(app.instance, window, TransferDirection::download);
        classes.insert(class_name(progress.bar()));
    }
    ModalScript script;
    script.then([&](HWND sheet) {
        add_child_classes(sheet, classes);
        cancel_window(sheet);
    });
    open_sheet();
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());

    classes.erase(kDialogClass);
    for (const char* expected : {TOOLBARCLASSNAMEA, WC_TREEVIEWA, UPDOWN_CLASSA, WC_LISTVIEWA,
                                 WC_TABCONTROLA, PROGRESS_CLASSA}) {
        EXPECT_EQ(classes.count(expected), 1u) << expected << " not found where it is used";
    }
    for (const std::string& name : classes) {
        EXPECT_TRUE(registered(name)) << name << " is in no class group the program registers";
    }
}

}  // namespace
}  // namespace tessmar::test
