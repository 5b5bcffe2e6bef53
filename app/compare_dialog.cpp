#include "app/compare_dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "resources/resource.h"
#include "win32/dialog_procedure.h"

namespace tessmar {
namespace {

struct Column {
    const char* title;
    int share;  // of the list's width, in percent
};

constexpr Column kColumns[] = {{"Setting", 50}, {"Tessmar", 25}, {"Scanner", 25}};

// The rows the dialog shows.
struct Comparison {
    const std::vector<ComparisonRow>& rows;
};

void add_columns(HWND list) {
    RECT client{};
    GetClientRect(list, &client);
    const int width = client.right - GetSystemMetrics(SM_CXVSCROLL);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(kColumns[i].title);
        column.cx = width * kColumns[i].share / 100;
        column.iSubItem = i;
        ListView_InsertColumn(list, i, &column);
    }
}

void add_row(HWND list, int index, const ComparisonRow& row) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(row.setting.c_str());
    ListView_InsertItem(list, &item);
    ListView_SetItemText(list, index, 1, const_cast<char*>(row.ours.c_str()));
    ListView_SetItemText(list, index, 2, const_cast<char*>(row.theirs.c_str()));
}

std::string verdict(std::size_t differences) {
    if (differences == 0) {
        return "The scanner holds exactly the current settings.";
    }
    return "The scanner holds other settings than the current ones: " +
           std::to_string(differences) + (differences == 1 ? " difference." : " differences.");
}

BOOL on_init_dialog(HWND dialog, Comparison& comparison) {
    const std::vector<ComparisonRow>& shown = comparison.rows;
    SetDlgItemTextA(dialog, IDC_COMPARE_VERDICT, verdict(shown.size()).c_str());
    HWND list = GetDlgItem(dialog, IDC_COMPARE_LIST);
    if (shown.empty()) {
        ShowWindow(list, SW_HIDE);
        return TRUE;
    }
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    add_columns(list);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        add_row(list, static_cast<int>(i), shown[i]);
    }
    return TRUE;
}

bool on_command(HWND dialog, Comparison&, int id, UINT) {
    if (id != IDOK && id != IDCANCEL) {
        return false;
    }
    EndDialog(dialog, id);
    return true;
}

constexpr DialogHandlers<Comparison> kHandlers = {.init = on_init_dialog, .command = on_command};

}  // namespace

void show_comparison(HINSTANCE instance, HWND owner, const RecordComparison& comparison) {
    const std::vector<ComparisonRow> rows = comparison_rows(comparison);
    Comparison shown{rows};
    run_modal_dialog<Comparison, kHandlers>(instance, "CompareDlg", owner, shown);
}

}  // namespace tessmar
