#include "app/find_setting_dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "summary/setting_search.h"
#include "win32/dialog_controls.h"
#include "win32/dialog_procedure.h"

namespace tessmar {
namespace {

constexpr UINT_PTR kTextSubclassId = 1;

// What one run of the dialog works on; it lives on find_setting's stack.
struct FindRun {
    const SettingIndex& index;
    std::vector<const SettingIndex::Entry*> shown;
    const NamedSetting* picked = nullptr;
};

INT_PTR CALLBACK quiet_procedure(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

bool is_button_with_caption(HWND control) {
    char name[16] = {};
    GetClassNameA(control, name, sizeof name);
    const LONG_PTR type = GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(name, "Button") == 0 && type != BS_GROUPBOX && type != BS_OWNERDRAW;
}

// What names a control on its window: its caption where it has one, and the label or group box
// before it.
std::string control_label(HWND control) {
    std::string label = is_button_with_caption(control) ? caption_words(control) : "";
    if (HWND before = GetWindow(control, GW_HWNDPREV); before && !is_button_with_caption(before)) {
        label += ' ' + caption_words(before);
    }
    return label;
}

// Each window that holds a setting's control is made once, hidden, to read its labels.
std::map<std::pair<std::string, int>, std::string> read_labels(HINSTANCE instance, HWND owner) {
    std::map<std::string, std::set<int>> controls;
    for (const NamedSetting& setting : named_settings()) {
        if (setting.control.window) {
            controls[setting.control.window].insert(setting.control.id);
        }
    }
    std::map<std::pair<std::string, int>, std::string> labels;
    for (const auto& [window, ids] : controls) {
        HWND made = CreateDialogParamA(instance, window.c_str(), owner, quiet_procedure, 0);
        if (!made) {
            continue;
        }
        for (const int id : ids) {
            if (HWND control = GetDlgItem(made, id)) {
                labels[{window, id}] = control_label(control);
            }
        }
        DestroyWindow(made);
    }
    return labels;
}

// The index reads every setting's place from the tree and its labels from its window: made once
// for the run of the program.
const SettingIndex& setting_index(HINSTANCE instance, HWND owner) {
    static std::unique_ptr<SettingIndex> index;
    if (!index) {
        const auto labels = read_labels(instance, owner);
        index = std::make_unique<SettingIndex>([&](const SettingControl& control) {
            const auto found = labels.find({control.window, control.id});
            return found == labels.end() ? std::string() : found->second;
        });
    }
    return *index;
}

// A place is in UTF-8 ("›"); the list shows text in the program's code page.
std::string in_code_page(const std::string& utf8) {
    const int wide_size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        wide_size);
    const int size =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_size, text.data(), size, nullptr, nullptr);
    return text;
}

// The list's widest line decides how far it scrolls sideways.
void fit_scroll_width(HWND list) {
    HDC dc = GetDC(list);
    HGDIOBJ old_font = SelectObject(dc, GetWindowFont(list));
    int widest = 0;
    const int count = ListBox_GetCount(list);
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<std::size_t>(ListBox_GetTextLen(list, i)) + 1, '\0');
        ListBox_GetText(list, i, text.data());
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), lstrlenA(text.c_str()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, old_font);
    ReleaseDC(list, dc);
    ListBox_SetHorizontalExtent(list, widest + GetSystemMetrics(SM_CXEDGE) * 4);
}

void show_matches(HWND dialog, FindRun& run) {
    HWND list = GetDlgItem(dialog, IDC_FIND_LIST);
    run.shown = run.index.find(control_text(GetDlgItem(dialog, IDC_FIND_TEXT)));
    SetWindowRedraw(list, FALSE);
    ListBox_ResetContent(list);
    for (const SettingIndex::Entry* entry : run.shown) {
        ListBox_AddString(list, in_code_page(entry->place).c_str());
    }
    ListBox_SetCurSel(list, run.shown.empty() ? -1 : 0);
    fit_scroll_width(list);
    SetWindowRedraw(list, TRUE);
    InvalidateRect(list, nullptr, TRUE);
}

// The arrows and page keys in the text box move in the list, so a match is picked without
// leaving the words.
LRESULT CALLBACK text_procedure(HWND text, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
    return within_barrier(
        [&] {
            if (message == WM_KEYDOWN &&
                (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT)) {
                return SendDlgItemMessageA(GetParent(text), IDC_FIND_LIST, message, wParam, lParam);
            }
            if (message == WM_NCDESTROY) {
                RemoveWindowSubclass(text, text_procedure, kTextSubclassId);
            }
            return DefSubclassProc(text, message, wParam, lParam);
        },
        [&] { return DefSubclassProc(text, message, wParam, lParam); });
}

BOOL on_init_dialog(HWND dialog, FindRun&) {
    SetWindowSubclass(GetDlgItem(dialog, IDC_FIND_TEXT), text_procedure, kTextSubclassId, 0);
    return TRUE;  // the text box, first, takes the focus
}

// With nothing found, the dialog stays for other words.
void pick(HWND dialog, FindRun& run) {
    const int selected = ListBox_GetCurSel(GetDlgItem(dialog, IDC_FIND_LIST));
    if (selected < 0 || static_cast<std::size_t>(selected) >= run.shown.size()) {
        return;
    }
    run.picked = run.shown[static_cast<std::size_t>(selected)]->setting;
    EndDialog(dialog, IDOK);
}

bool on_command(HWND dialog, FindRun& run, int id, UINT code) {
    switch (id) {
        case IDC_FIND_TEXT:
            if (code == EN_CHANGE) {
                show_matches(dialog, run);
            }
            return true;
        case IDC_FIND_LIST:
            if (code == LBN_DBLCLK) {
                pick(dialog, run);
            }
            return true;
        case IDOK:
            pick(dialog, run);
            return true;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return true;
    }
    return false;
}

constexpr DialogHandlers<FindRun> kHandlers = {.init = on_init_dialog, .command = on_command};

}  // namespace

const NamedSetting* find_setting(HINSTANCE instance, HWND owner) {
    FindRun run{setting_index(instance, owner), {}};
    run_modal_dialog<FindRun, kHandlers>(instance, "FINDSETTINGDLG", owner, run);
    return run.picked;
}

}  // namespace tessmar
