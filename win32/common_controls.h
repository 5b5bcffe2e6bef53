// Registration of the common control classes the program's windows and dialogs use.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace tessmar {

// Standard controls (buttons, edit boxes, lists, statics: themed in version 6), the toolbar and
// status bar, the tree view, up-down controls, the progress bar, the property sheets' tabs, and
// the list view of the comparison dialog.
inline constexpr DWORD kCommonControlClasses =
    ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES | ICC_UPDOWN_CLASS |
    ICC_PROGRESS_CLASS | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES;

// Version 6 of the common controls registers a class only when asked: InitCommonControls does
// nothing there. False when the classes could not be registered.
inline bool register_common_controls(DWORD classes) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = classes;
    return InitCommonControlsEx(&controls) != FALSE;
}

}  // namespace tessmar
