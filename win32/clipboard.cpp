#include "win32/clipboard.h"

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

}  // namespace tessmar
