#include "win32/clipboard.h"

#include <commctrl.h>

#include <array>
#include <cstring>

#include "win32/user_message.h"

namespace tessmar {

// The clipboard takes a movable global block that it owns once SetClipboardData succeeds.
void copy_to_clipboard(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner)) {
        report_error(owner, "The list could not be copied: the clipboard is in use.");
        return;
    }
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    void* bytes = block ? GlobalLock(block) : nullptr;
    if (bytes) {
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        if (SetClipboardData(CF_TEXT, block)) {
            block = nullptr;
        }
    }
    if (block) {
        GlobalFree(block);
    }
    CloseClipboard();
}

bool is_copy_key(const NMHDR& header) {
    return header.code == LVN_KEYDOWN &&
           reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == 'C' && GetKeyState(VK_CONTROL) < 0;
}

std::string list_view_text(HWND list) {
    const int columns = Header_GetItemCount(ListView_GetHeader(list));
    const auto cell_end = [columns](int column) { return column + 1 < columns ? "\t" : "\r\n"; };
    std::string text;
    for (int column = 0; column < columns; ++column) {
        std::array<char, 64> title{};
        LVCOLUMNA request{};
        request.mask = LVCF_TEXT;
        request.pszText = title.data();
        request.cchTextMax = static_cast<int>(title.size());
        ListView_GetColumn(list, column, &request);
        text += std::string(title.data()) + cell_end(column);
    }
    for (int item = 0; item < ListView_GetItemCount(list); ++item) {
        for (int column = 0; column < columns; ++column) {
            std::array<char, 1024> cell{};
            ListView_GetItemText(list, item, column, cell.data(), static_cast<int>(cell.size()));
            text += std::string(cell.data()) + cell_end(column);
        }
    }
    return text;
}

}  // namespace tessmar
