#include "win32/accessible_control.h"

#include <commctrl.h>
#include <oleacc.h>

#include "win32/procedure_barrier.h"

namespace tessmar {
namespace {

BSTR to_bstr(const std::string& text) {
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    BSTR converted = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (converted && length > 0) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), size, converted, length);
    }
    return converted;
}

HRESULT give(const std::string& text, BSTR* out) {
    *out = to_bstr(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

bool is_self(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The standard object of a control, with the name and value the control gives. Made afresh for
// each request; the client's references keep it alive.
class DescribedControl final : public IAccessible {
  public:
    DescribedControl(IAccessible* standard, HWND control, DescribeControl describe)
        : standard_(standard), control_(control), describe_(describe) {}
    DescribedControl(const DescribedControl&) = delete;
    DescribedControl& operator=(const DescribedControl&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // Late-bound callers would get the standard object's name through its type information, so
    // the object offers none: clients read it through the interface.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (const std::optional<AccessibleText> text = own_text(child, name)) {
            if (!text->name.empty()) {
                return give(text->name, name);
            }
        }
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (const std::optional<AccessibleText> text = own_text(child, value)) {
            if (text->value) {
                return give(*text->value, value);
            }
        }
        return standard_->get_accValue(child, value);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

  private:
    ~DescribedControl() { standard_->Release(); }

    // The control's own text for a question about the control itself, while it lives.
    std::optional<AccessibleText> own_text(const VARIANT& child, BSTR* out) const {
        if (!out || !is_self(child) || !IsWindow(control_)) {
            return std::nullopt;
        }
        return describe_(control_);
    }

    IAccessible* standard_;  // owned reference
    HWND control_;
    DescribeControl describe_;
    ULONG references_ = 1;
};

// Handing an object to a client goes through COM, which the thread must have joined. The UI
// thread joins once and stays until the program ends.
bool com_ready() {
    thread_local const bool ready = [] {
        const HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        return SUCCEEDED(joined) || joined == RPC_E_CHANGED_MODE;  // already in another apartment
    }();
    return ready;
}

constexpr UINT_PTR kDescribedSubclassId = 1;

// Answers the request for the control's client object; none for other objects, which the
// control's own procedure answers.
std::optional<LRESULT> answer_accessible_object(HWND control, WPARAM flags, LPARAM object_id,
                                                DescribeControl describe) {
    // The identifier comes as a DWORD: compared as the wider LPARAM, its sign would differ.
    if (static_cast<DWORD>(object_id) != static_cast<DWORD>(OBJID_CLIENT) || !com_ready()) {
        return std::nullopt;
    }
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
        return std::nullopt;
    }
    auto* described = new DescribedControl(standard, control, describe);
    const LRESULT reference = LresultFromObject(__uuidof(IAccessible), flags, described);
    // The client holds what it needs through the reference.
    described->Release();
    return reference;
}

LRESULT on_described_message(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                             DescribeControl describe);

LRESULT CALLBACK described_control_proc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR describe) {
    return within_barrier(
        [&] {
            return on_described_message(control, message, wParam, lParam,
                                        reinterpret_cast<DescribeControl>(describe));
        },
        [&] { return DefSubclassProc(control, message, wParam, lParam); });
}

LRESULT on_described_message(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                             DescribeControl describe) {
    if (message == WM_GETOBJECT) {
        if (const std::optional<LRESULT> answer =
                answer_accessible_object(control, wParam, lParam, describe)) {
            return *answer;
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, described_control_proc, kDescribedSubclassId);
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void describe_to_screen_readers(HWND control, DescribeControl describe) {
    SetWindowSubclass(control, described_control_proc, kDescribedSubclassId,
                      reinterpret_cast<DWORD_PTR>(describe));
}

void announce_value_change(HWND control) {
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace tessmar
