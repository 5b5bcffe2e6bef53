#include "tests/ui/support/accessibility_reader.h"

#include <oleacc.h>

#include "tests/ui/support/ui_driver.h"

namespace tessmar::test {
namespace {

using Getter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

std::string narrow(BSTR text) {
    if (!text) {
        return {};
    }
    const int length = static_cast<int>(SysStringLen(text));
    std::string converted(static_cast<std::size_t>(WideCharToMultiByte(
                              CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr)),
                          '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, converted.data(),
                        static_cast<int>(converted.size()), nullptr, nullptr);
    return converted;
}

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
    const HRESULT read = (object->*getter)(self, &text);
    std::string result = read == S_OK ? narrow(text) : std::string{};
    SysFreeString(text);
    object->Release();
    return result;
}

// Whether the control answers for itself rather than leaving it to the system's object; the
// object it hands out is taken and let go.
bool describes_itself(HWND control) {
    const LRESULT reference = SendMessageA(control, WM_GETOBJECT, 0, OBJID_CLIENT);
    IAccessible* object = nullptr;
    if (reference <= 0 || !com_ready() ||
        FAILED(ObjectFromLresult(reference, __uuidof(IAccessible), 0,
                                 reinterpret_cast<void**>(&object)))) {
        return false;
    }
    object->Release();
    return true;
}

// The label Windows finds: the nearest static before the control in the dialog's order, looking
// no further back than a control that starts a group of tab stops.
std::string label_of(HWND control) {
    for (HWND before = GetWindow(control, GW_HWNDPREV); before;
         before = GetWindow(before, GW_HWNDPREV)) {
        if (class_name(before) == "Static") {
            return window_text(before);
        }
        const LONG style = GetWindowLongA(before, GWL_STYLE);
        if ((style & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP)) {
            break;
        }
    }
    return {};
}

// The classes Windows names by their label.
bool named_by_label(const std::string& type) {
    for (const char* labelled : {"Edit", "ComboBox", "SysListView32", "msctls_progress32"}) {
        if (type == labelled) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string accessible_name(HWND control) {
    if (named_by_label(class_name(control)) && !describes_itself(control)) {
        return label_of(control);
    }
    return read_property(control, &IAccessible::get_accName);
}

std::string accessible_value(HWND control) {
    return read_property(control, &IAccessible::get_accValue);
}

}  // namespace tessmar::test
