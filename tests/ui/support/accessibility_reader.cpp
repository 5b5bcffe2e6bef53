#include "tests/ui/support/accessibility_reader.h"

#include <oleacc.h>

#include "tests/ui/support/ui_driver.h"

namespace tessmar::test {
namespace {

using Getter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

bool com_ready() {
    static const bool ready = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    return ready;
}

std::string read_property(HWND control, Getter getter) {
    IAccessible* object = nullptr;
    if (!com_ready() ||
        FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
        return {};
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    std::string result;
    if ((object->*getter)(self, &text) == S_OK && text) {
        result.resize(SysStringLen(text));
        for (std::size_t i = 0; i < result.size(); ++i) {
            result[i] = static_cast<char>(text[i]);  // the names and values are ASCII
        }
    }
    SysFreeString(text);
    object->Release();
    return result;
}

// The label Windows finds: the nearest static before the control, looking no further back than a
// control that starts a group of tab stops.
std::string label_of(HWND control) {
    for (HWND before = GetWindow(control, GW_HWNDPREV); before;
         before = GetWindow(before, GW_HWNDPREV)) {
        if (class_name(before) == "Static") {
            return window_text(before);
        }
        if ((GetWindowLongA(before, GWL_STYLE) & (WS_GROUP | WS_TABSTOP)) ==
            (WS_GROUP | WS_TABSTOP)) {
            break;
        }
    }
    return {};
}

// Wine's oleacc names these by their text, where Windows names them by their label.
bool named_by_label(const std::string& type) {
    return type == "ComboBox" || type == "SysListView32" || type == "msctls_progress32";
}

}  // namespace

std::string accessible_name(HWND control) {
    if (named_by_label(class_name(control))) {
        return label_of(control);
    }
    return read_property(control, &IAccessible::get_accName);
}

std::string accessible_value(HWND control) {
    return read_property(control, &IAccessible::get_accValue);
}

}  // namespace tessmar::test
