#include "tests/ui/support/page_driver.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>

#include "sheet/setup_code_sheet.h"
#include "tests/ui/support/ui_driver.h"

namespace tessmar::test {
namespace {

class StringSink : public SheetSink {
  public:
    void write(std::string_view text) override { text_ += text; }
    std::string text_;
};

}  // namespace

void select_item(HWND dialog, int id, int index) {
    HWND list = GetDlgItem(dialog, id);
    ComboBox_SetCurSel(list, index);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void click(HWND dialog, int id) {
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

int selection(HWND dialog, int id) {
    return ComboBox_GetCurSel(GetDlgItem(dialog, id));
}

bool checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

bool visible(HWND dialog, int id) {
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

bool enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

std::string text_of(HWND dialog, int id) {
    return window_text(GetDlgItem(dialog, id));
}

void retype(HWND dialog, int id, const std::string& text) {
    HWND edit = GetDlgItem(dialog, id);
    Edit_SetSel(edit, 0, -1);
    type_text(edit, text.empty() ? std::string("\b") : text);
}

std::vector<std::string> items_of(HWND dialog, int id) {
    HWND list = GetDlgItem(dialog, id);
    std::vector<std::string> texts;
    for (int i = 0; i < ComboBox_GetCount(list); ++i) {
        std::array<char, 128> text{};
        if (ComboBox_GetLBTextLen(list, i) < static_cast<int>(text.size())) {
            ComboBox_GetLBText(list, i, text.data());
        }
        texts.emplace_back(text.data());
    }
    return texts;
}

HWND show_tab(HWND sheet, int index) {
    PropSheet_SetCurSel(sheet, nullptr, index);
    return current_page(sheet);
}

std::vector<std::string> tab_captions(HWND sheet) {
    HWND tabs = PropSheet_GetTabControl(sheet);
    std::vector<std::string> captions;
    for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
        std::array<char, 64> text{};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        captions.emplace_back(text.data());
    }
    return captions;
}

std::string setup_sheet_text(ProgramState& state) {
    StringSink sink;
    WriteSetupCodeSheet(state, sink, [] { return true; });
    return sink.text_;
}

}  // namespace tessmar::test
