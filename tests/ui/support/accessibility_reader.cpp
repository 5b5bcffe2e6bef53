#include "tests/ui/support/accessibility_reader.h"

#include <oleacc.h>

#include <optional>

#include "tests/ui/support/ui_driver.h"
#include "win32/accessible_control.h"

namespace tessmar::test {
namespace {

using Getter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

bool com_ready() {
    static const bool ready = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    return ready;
}

// The control's object, as a reader gets it; null when there is none.
IAccessible* object_of(HWND control) {
    IAccessible* object = nullptr;
    if (!com_ready() ||
        FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
        return nullptr;
    }
    return object;
}

std::string ascii_of(BSTR text) {
    std::string result(SysStringLen(text), '\0');
    for (std::size_t i = 0; i < result.size(); ++i) {
        result[i] = static_cast<char>(text[i]);  // the names and values are ASCII
    }
    return result;
}

std::string text_property(IAccessible* object, long id, Getter getter) {
    BSTR text = nullptr;
    std::string result;
    if ((object->*getter)(long_variant(id), &text) == S_OK && text) {
        result = ascii_of(text);
    }
    SysFreeString(text);
    return result;
}

std::string read_property(HWND control, Getter getter) {
    IAccessible* object = object_of(control);
    if (!object) {
        return {};
    }
    std::string result = text_property(object, CHILDID_SELF, getter);
    object->Release();
    return result;
}

long long_property(IAccessible* object, long id,
                   HRESULT (STDMETHODCALLTYPE IAccessible::*getter)(VARIANT, VARIANT*)) {
    VARIANT value{};
    const bool known = (object->*getter)(long_variant(id), &value) == S_OK && value.vt == VT_I4;
    const long result = known ? value.lVal : 0;
    VariantClear(&value);
    return result;
}

// Role, name and state of `id`; none when the object hands out an object of its own for it.
std::optional<AccessibleElement> element_of(IAccessible* object, long id) {
    if (id != CHILDID_SELF) {
        IDispatch* own = nullptr;
        const HRESULT result = object->get_accChild(long_variant(id), &own);
        if (own) {
            own->Release();
        }
        if (result != S_FALSE || own) {
            return std::nullopt;
        }
    }
    return AccessibleElement{long_property(object, id, &IAccessible::get_accRole),
                             text_property(object, id, &IAccessible::get_accName),
                             long_property(object, id, &IAccessible::get_accState)};
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
    return type == "ComboBox" || type == "ListBox" || type == "SysListView32" ||
           type == "msctls_progress32";
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

std::vector<AccessibleElement> accessible_elements(HWND control) {
    std::vector<AccessibleElement> elements;
    IAccessible* object = object_of(control);
    if (!object) {
        return elements;
    }
    if (const std::optional<AccessibleElement> self = element_of(object, CHILDID_SELF)) {
        elements.push_back(*self);
    }
    VARIANT at{};
    HRESULT moved = object->accNavigate(NAVDIR_FIRSTCHILD, long_variant(CHILDID_SELF), &at);
    while (moved == S_OK && at.vt == VT_I4) {
        if (const std::optional<AccessibleElement> child = element_of(object, at.lVal)) {
            elements.push_back(*child);
        }
        moved = object->accNavigate(NAVDIR_NEXT, long_variant(at.lVal), &at);
    }
    VariantClear(&at);
    object->Release();
    return elements;
}

long accessible_focus(HWND control) {
    IAccessible* object = object_of(control);
    if (!object) {
        return -1;
    }
    VARIANT focus{};
    const bool known = object->get_accFocus(&focus) == S_OK && focus.vt == VT_I4;
    const long child = known ? focus.lVal : -1;
    VariantClear(&focus);
    object->Release();
    return child;
}

}  // namespace tessmar::test
