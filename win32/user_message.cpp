#include "win32/user_message.h"

#include <cctype>

namespace tessmar {

// GetLastActivePopup gives the window itself when none of the popups it owns is up.
HWND message_owner(HWND about) {
    HWND top = about ? GetAncestor(about, GA_ROOT) : nullptr;
    if (!top) {
        return nullptr;
    }
    HWND popup = GetLastActivePopup(top);
    if (popup && popup != top && IsWindowVisible(popup) && IsWindowEnabled(popup)) {
        return popup;
    }
    return top;
}

int show_message(HWND about, const std::string& text, const MessageStyle& style) {
    return MessageBoxA(message_owner(about), text.c_str(), style.caption, style.type);
}

void report_error(HWND about, const std::string& text) {
    show_message(about, text, kErrorMessage);
}

void report_error(HWND about, const std::string& text, const std::string& why) {
    std::string sentence = why;
    if (!sentence.empty()) {
        sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
        sentence += '.';
    }
    show_message(about, text + "\n" + sentence, kErrorMessage);
}

}  // namespace tessmar
