#include "app/compare_dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "resources/resource.h"
#include "win32/anchored_layout.h"
#include "win32/clipboard.h"
#include "win32/dialog_procedure.h"
#include "win32/dpi.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

// Each column's share of the list's first width, in percent.
constexpr int kColumnShares[] = {22, 44, 17, 17};
static_assert(std::size(kColumnShares) == std::size(kComparisonColumns));

constexpr AnchoredControl kLayout[] = {
    {IDC_COMPARE_VERDICT, kWider},          {IDC_COMPARE_LIST, kWider | kTaller},
    {IDC_COMPARE_SEND, kFollowsBottom},     {IDC_COMPARE_USE, kFollowsBottom},
    {IDOK, kFollowsRight | kFollowsBottom},
};

struct Comparison {
    const std::vector<ComparisonRow>& rows;
    SIZE& size;  // the dialog's size when it last closed, at 96 DPI; none at first
    AnchoredLayout layout;
    int list_width = 0;
};

int list_client_width(HWND list) {
    RECT client{};
    GetClientRect(list, &client);
    return client.right;
}

void add_columns(HWND list, int width) {
    for (int i = 0; i < static_cast<int>(std::size(kComparisonColumns)); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(kComparisonColumns[i]);
        column.cx = width * kColumnShares[i] / 100;
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
    ListView_SetItemText(list, index, 1, const_cast<char*>(row.place.c_str()));
    ListView_SetItemText(list, index, 2, const_cast<char*>(row.ours.c_str()));
    ListView_SetItemText(list, index, 3, const_cast<char*>(row.theirs.c_str()));
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
    comparison.layout.note_first_layout(dialog, kLayout);
    comparison.list_width = list_client_width(list);
    if (shown.empty()) {
        // Nothing to send or take: the scanner holds the current settings.
        ShowWindow(list, SW_HIDE);
        EnableWindow(GetDlgItem(dialog, IDC_COMPARE_SEND), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_COMPARE_USE), FALSE);
    } else {
        ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
        add_columns(list, comparison.list_width -
                              system_metric_for_dpi(SM_CXVSCROLL, comparison.layout.dpi()));
        for (std::size_t i = 0; i < shown.size(); ++i) {
            add_row(list, static_cast<int>(i), shown[i]);
        }
    }
    comparison.layout.take_unscaled_window_size(dialog, comparison.size);
    return TRUE;
}

// The columns keep their shares of the list, as the user last set them.
void scale_columns(HWND list, Comparison& comparison) {
    const int width = list_client_width(list);
    if (comparison.list_width <= 0 || width <= 0) {
        return;
    }
    for (int i = 0; i < static_cast<int>(std::size(kComparisonColumns)); ++i) {
        ListView_SetColumnWidth(
            list, i, MulDiv(ListView_GetColumnWidth(list, i), width, comparison.list_width));
    }
    comparison.list_width = width;
}

INT_PTR on_notify(HWND dialog, Comparison& comparison, const NMHDR& header) {
    if (header.idFrom == IDC_COMPARE_LIST && is_copy_key(header)) {
        copy_to_clipboard(dialog, comparison_table_text(comparison.rows));
    }
    return FALSE;
}

INT_PTR on_message(HWND dialog, Comparison& comparison, UINT message, WPARAM wParam,
                   LPARAM lParam) {
    if (!comparison.layout.handle(dialog, message, wParam, lParam)) {
        return FALSE;
    }
    if (message != WM_GETMINMAXINFO) {
        scale_columns(GetDlgItem(dialog, IDC_COMPARE_LIST), comparison);
    }
    return TRUE;
}

bool on_command(HWND dialog, Comparison& comparison, int id, UINT) {
    switch (id) {
        case IDOK:
        case IDCANCEL:
        case IDC_COMPARE_SEND:
        case IDC_COMPARE_USE: {
            comparison.size = comparison.layout.unscaled_window_size(dialog);
            EndDialog(dialog, id);
            return true;
        }
    }
    return false;
}

constexpr DialogHandlers<Comparison> kHandlers = {
    .init = on_init_dialog, .command = on_command, .notify = on_notify, .message = on_message};

}  // namespace

ComparisonChoice show_comparison(HINSTANCE instance, HWND owner, const RecordComparison& comparison,
                                 SIZE& size) {
    const std::vector<ComparisonRow> rows = comparison_rows(comparison);
    Comparison shown{rows, size, {}, 0};
    switch (run_modal_dialog<Comparison, kHandlers>(instance, "CompareDlg", owner, shown)) {
        case IDC_COMPARE_SEND:
            return ComparisonChoice::send_ours;
        case IDC_COMPARE_USE:
            return ComparisonChoice::use_theirs;
        default:
            return ComparisonChoice::close;
    }
}

}  // namespace tessmar
