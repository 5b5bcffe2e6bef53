// window-probe COMMAND TITLE [ARGUMENT]: reads or drives, from outside, the top-level window
// whose title is TITLE, waiting up to 20 seconds for it to appear.
//
//   wait TITLE         only waits for the window
//   tree TITLE         prints its tree view, two spaces of indent per level
//   expand TITLE N     opens branch N (counted from 0) at the top of its tree view
//   tabs TITLE         prints the tab captions of the property sheet, one a line
//   select TITLE N     shows tab N (counted from 0) of the property sheet
//   command TITLE ID   posts the menu command ID, as the menu would
//   press TITLE ID     clicks button ID and waits until the window has disabled it and enabled
//                      it again: the work the button started is over (up to ten minutes)
//   type TITLE TEXT    puts TEXT in the window's first edit box, which is told as by typing
//   close TITLE        posts WM_CLOSE, as the close box would, and waits for the window to go
//
// Exit status: 0 done, 1 no such window or the control could not be read, 2 usage.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "remote_buffer.h"

namespace window_probe {
namespace {

constexpr std::size_t kTextChars = 256;

HWND find_window(const char* title) {
    for (int tries = 0; tries < 200; ++tries) {
        if (HWND window = FindWindowA(nullptr, title)) {
            return window;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "window-probe: no window \"%s\"\n", title);
    return nullptr;
}

bool wait_until_gone(HWND window) {
    for (int tries = 0; tries < 200; ++tries) {
        if (!IsWindow(window)) {
            return true;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "window-probe: the window is still open\n");
    return false;
}

std::string tree_item_text(HWND tree, HTREEITEM item, const RemoteBuffer& buffer) {
    TVITEMA request{};
    request.mask = TVIF_TEXT | TVIF_HANDLE;
    request.hItem = item;
    request.pszText = buffer.at(sizeof request);
    request.cchTextMax = kTextChars;
    if (!buffer.write(&request, sizeof request) ||
        !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer.at(0)))) {
        return {};
    }
    return buffer.read_text(sizeof request, kTextChars);
}

void print_tree_items(HWND tree, HTREEITEM item, int depth, const RemoteBuffer& buffer) {
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        std::printf("%*s%s\n", depth * 2, "", tree_item_text(tree, item, buffer).c_str());
        print_tree_items(tree, TreeView_GetChild(tree, item), depth + 1, buffer);
    }
}

int print_tree(HWND window) {
    HWND tree = FindWindowExA(window, nullptr, WC_TREEVIEWA, nullptr);
    const RemoteBuffer buffer(window, sizeof(TVITEMA) + kTextChars);
    if (!tree || !buffer.valid()) {
        std::fprintf(stderr, "window-probe: no tree view to read\n");
        return 1;
    }
    print_tree_items(tree, TreeView_GetRoot(tree), 0, buffer);
    return 0;
}

int expand_branch(HWND window, unsigned long branch) {
    HWND tree = FindWindowExA(window, nullptr, WC_TREEVIEWA, nullptr);
    HTREEITEM item = tree ? TreeView_GetRoot(tree) : nullptr;
    for (; item && branch > 0; --branch) {
        item = TreeView_GetNextSibling(tree, item);
    }
    return item && TreeView_Expand(tree, item, TVE_EXPAND) ? 0 : 1;
}

int print_tabs(HWND sheet) {
    HWND tabs = PropSheet_GetTabControl(sheet);
    const RemoteBuffer buffer(sheet, sizeof(TCITEMA) + kTextChars);
    if (!tabs || !buffer.valid()) {
        std::fprintf(stderr, "window-probe: no property sheet tabs to read\n");
        return 1;
    }
    const int count = TabCtrl_GetItemCount(tabs);
    for (int i = 0; i < count; ++i) {
        TCITEMA request{};
        request.mask = TCIF_TEXT;
        request.pszText = buffer.at(sizeof request);
        request.cchTextMax = kTextChars;
        if (!buffer.write(&request, sizeof request) ||
            !SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(buffer.at(0)))) {
            return 1;
        }
        std::printf("%s\n", buffer.read_text(sizeof request, kTextChars).c_str());
    }
    return 0;
}

// Polls every 5 ms, so a timing script reads the end of the work to within a few milliseconds.
bool wait_for_enabled(HWND control, bool enabled, DWORD limit_ms) {
    const DWORD start = GetTickCount();
    while ((IsWindowEnabled(control) != FALSE) != enabled) {
        if (GetTickCount() - start > limit_ms) {
            return false;
        }
        Sleep(5);
    }
    return true;
}

int press_button(HWND window, int id) {
    HWND button = GetDlgItem(window, id);
    if (!button || !PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(button))) {
        std::fprintf(stderr, "window-probe: no button %d to press\n", id);
        return 1;
    }
    if (!wait_for_enabled(button, false, 20000) || !wait_for_enabled(button, true, 600000)) {
        std::fprintf(stderr, "window-probe: button %d did not start and end its work\n", id);
        return 1;
    }
    return 0;
}

int usage() {
    std::fprintf(stderr,
                 "usage: window-probe wait|tree|tabs|close TITLE\n"
                 "       window-probe expand TITLE N | select TITLE N | command TITLE ID\n"
                 "       window-probe press TITLE ID | type TITLE TEXT\n");
    return 2;
}

}  // namespace
}  // namespace window_probe

int main(int argc, char** argv) {
    using namespace window_probe;
    if (argc < 3) {
        return usage();
    }
    const std::string command = argv[1];
    const bool takes_number =
        command == "select" || command == "command" || command == "expand" || command == "press";
    if (argc != (takes_number || command == "type" ? 4 : 3)) {
        return usage();
    }
    HWND window = find_window(argv[2]);
    if (!window) {
        return 1;
    }
    const auto number = takes_number ? std::strtoul(argv[3], nullptr, 10) : 0;
    if (command == "wait") {
        return 0;
    }
    if (command == "tree") {
        return print_tree(window);
    }
    if (command == "expand") {
        return expand_branch(window, number);
    }
    if (command == "tabs") {
        return print_tabs(window);
    }
    if (command == "select") {
        return PropSheet_SetCurSel(window, nullptr, number) ? 0 : 1;
    }
    if (command == "command") {
        return PostMessageA(window, WM_COMMAND, MAKEWPARAM(number, 0), 0) ? 0 : 1;
    }
    if (command == "press") {
        return press_button(window, static_cast<int>(number));
    }
    if (command == "type") {
        // WM_SETTEXT's text is carried across to the window's process by the system.
        HWND box = FindWindowExA(window, nullptr, "Edit", nullptr);
        return box && SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3])) ? 0 : 1;
    }
    if (command == "close") {
        return PostMessageA(window, WM_CLOSE, 0, 0) && wait_until_gone(window) ? 0 : 1;
    }
    return usage();
}
