// Every labelled control of every page and dialog is reached by an access key, unique within its
// window (a sheet's own buttons included).
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "tests/ui/support/every_window_fixture.h"

namespace tessmar::test {
namespace {

// Where the words of a window's captions run out of letters.
const struct {
    const char* window;
    const char* text;
} kNoLetterLeft[] = {
    {"page Applicable Conditions", "UPCA Addon 2"},
    {"page Applicable Conditions", "UPCA Addon 5"},
    {"page Applicable Conditions", "Matching String Location:"},
};

// The character after a single "&" ("&&" shows one ampersand).
char access_key(const std::string& text) {
    for (auto at = text.find('&'); at != std::string::npos && at + 1 < text.size();
         at = text.find('&', at + 2)) {
        if (text[at + 1] != '&') {
            return static_cast<char>(std::toupper(static_cast<unsigned char>(text[at + 1])));
        }
    }
    return '\0';
}

bool is_label(HWND control) {
    if (class_name(control) != "Static" ||
        (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) > SS_RIGHT) {
        return false;
    }
    // A label names the box after it; a text before a button names nothing.
    HWND next = GetWindow(control, GW_HWNDNEXT);
    return next && IsWindowVisible(next) && (GetWindowLongA(next, GWL_STYLE) & WS_TABSTOP) &&
           class_name(next) != "Button";
}

bool is_labelled(HWND control) {
    const std::string text = window_text(control);
    if (class_name(control) == "Button") {
        const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
        return type != BS_GROUPBOX && !text.empty() && text != "OK" && text != "Cancel";
    }
    return is_label(control);
}

// The repeated "Configure..." buttons, labels with no letter ("==>>", "1.") and the boxes in
// kNoLetterLeft have none: each follows in tab order a control that has one.
bool may_go_without(const std::string& window, const std::string& text) {
    if (text == "Configure..." || std::none_of(text.begin(), text.end(), ::isalpha)) {
        return true;
    }
    return std::ranges::any_of(kNoLetterLeft, [&](const auto& left) {
        return window == left.window && text == left.text;
    });
}

// What is wrong with the window's keys, a line each.
std::vector<std::string> key_problems(const std::string& name, HWND window) {
    std::vector<std::string> problems;
    std::map<char, std::string> holder;
    for (HWND control : descendant_windows(window)) {
        if (!IsWindowVisible(control) || !is_labelled(control)) {
            continue;
        }
        const std::string text = window_text(control);
        const char key = access_key(text);
        if (key == '\0' && !may_go_without(name, text)) {
            problems.push_back("no key: " + text);
        } else if (key != '\0' && !holder.emplace(key, text).second) {
            problems.push_back(std::string("key ") + key + " twice: " + holder[key] + ", " + text);
        }
    }
    return problems;
}

class AccessKeys : public EveryWindowTest {};

TEST_F(AccessKeys, EveryLabelledControlHasAKeyOfItsOwnInItsWindow) {
    for (const Opener& opener : every_window()) {
        SCOPED_TRACE(opener.name);
        opener.open(*this, [&](HWND window) {
            EXPECT_EQ(key_problems(opener.name, window), std::vector<std::string>{});
        });
    }
}

}  // namespace
}  // namespace tessmar::test
