#include "win32/accessible_control.h"

#include <commctrl.h>
#include <oleacc.h>

#include "win32/procedure_barrier.h"
#include "win32/system_library.h"

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

// What a question is about: the control itself, one of its parts, or nothing it has.
struct Subject {
    bool self = false;
    std::optional<std::size_t> part;
};

Subject subject_of(const VARIANT& child, const std::optional<AccessibleParts>& parts) {
    if (child.vt != VT_I4) {
        return {};
    }
    if (child.lVal == CHILDID_SELF) {
        return {.self = true, .part = std::nullopt};
    }
    if (parts && child.lVal > 0 && static_cast<std::size_t>(child.lVal) <= parts->parts.size()) {
        return {.self = false, .part = static_cast<std::size_t>(child.lVal - 1)};
    }
    return {};
}

VARIANT child_variant(std::size_t index) {
    return long_variant(static_cast<LONG>(index + 1));
}

VARIANT empty_variant() {
    VARIANT nothing{};
    nothing.vt = VT_EMPTY;
    return nothing;
}

// A part is selectable and focusable; the current one is selected, and focused with its control.
LONG part_state(const AccessibleParts& parts, std::size_t index, bool focused) {
    LONG state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (parts.current == index) {
        state |= STATE_SYSTEM_SELECTED | (focused ? STATE_SYSTEM_FOCUSED : 0);
    }
    return state;
}

// The standard object of a control, with the name and value the control gives and, for a control
// of parts, its role, its parts as child elements and their states. Made afresh for each request;
// the client's references keep it alive. Every method runs inside the barrier: what the control
// says is built from strings, and no exception may reach the client.
class DescribedControl final : public IAccessible, public IOleWindow {
  public:
    DescribedControl(IAccessible* standard, HWND control, DescribeControl describe)
        : standard_(standard), control_(control), describe_(describe) {}
    DescribedControl(const DescribedControl&) = delete;
    DescribedControl& operator=(const DescribedControl&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        *object = nullptr;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
        } else if (iid == __uuidof(IOleWindow)) {
            *object = static_cast<IOleWindow*>(this);
        } else if (iid == __uuidof(IServiceProvider) ||
                   (iid == __uuidof(IEnumVARIANT) && !has_parts())) {
            // The standard object's own: its services, and its children where they are ours too.
            return standard_->QueryInterface(iid, object);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) {
            return E_POINTER;
        }
        *window = control_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

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
        return guarded([&] {
            const std::optional<AccessibleText> text = own_text();
            const Subject subject = subject_of(child, parts_of(text));
            if (name && subject.part) {
                return give(text->parts->parts[*subject.part].name, name);
            }
            if (name && subject.self && text && !text->name.empty()) {
                return give(text->name, name);
            }
            return standard_->get_accName(child, name);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return guarded([&] {
            const std::optional<AccessibleText> text = own_text();
            const Subject subject = subject_of(child, parts_of(text));
            if (subject.part) {
                return DISP_E_MEMBERNOTFOUND;  // a part is named, it holds nothing
            }
            if (value && subject.self && text && text->value) {
                return give(*text->value, value);
            }
            return standard_->get_accValue(child, value);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return guarded([&] {
            const std::optional<AccessibleText> text = own_text();
            const std::optional<AccessibleParts>& parts = parts_of(text);
            const Subject subject = subject_of(child, parts);
            if (role && parts && (subject.self || subject.part)) {
                *role = long_variant(subject.part ? parts->part_role : parts->role);
                return S_OK;
            }
            return standard_->get_accRole(child, role);
        });
    }
    // A control of parts is operated, not read: never read-only, always focusable.
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return guarded([&] {
            const std::optional<AccessibleText> text = own_text();
            const std::optional<AccessibleParts>& parts = parts_of(text);
            const Subject subject = subject_of(child, parts);
            if (!state || !parts || !(subject.self || subject.part)) {
                return standard_->get_accState(child, state);
            }
            if (subject.part) {
                *state = long_variant(part_state(*parts, *subject.part, focused()));
                return S_OK;
            }
            const HRESULT result = standard_->get_accState(child, state);
            if (SUCCEEDED(result) && state->vt == VT_I4) {
                state->lVal = (state->lVal & ~(STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSED)) |
                              STATE_SYSTEM_FOCUSABLE | (focused() ? STATE_SYSTEM_FOCUSED : 0);
            }
            return result;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return guarded([&] {
            const std::optional<AccessibleText> text = own_text();
            if (count && parts_of(text)) {
                *count = static_cast<LONG>(text->parts->parts.size());
                return S_OK;
            }
            return standard_->get_accChildCount(count);
        });
    }
    // The parts are elements, not objects of their own: the parent answers for them.
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return guarded([&] {
            const std::optional<AccessibleText> text = own_text();
            if (!object || !parts_of(text)) {
                return standard_->get_accChild(child, object);
            }
            *object = nullptr;
            return subject_of(child, text->parts).part ? S_FALSE : E_INVALIDARG;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return guarded([&] {
            const std::optional<AccessibleText> text = own_text();
            if (child && parts_of(text) && text->parts->current && focused()) {
                *child = child_variant(*text->parts->current);
                return S_OK;
            }
            return standard_->get_accFocus(child);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return guarded([&] {
            const std::optional<AccessibleText> text = own_text();
            if (!children || !parts_of(text)) {
                return standard_->get_accSelection(children);
            }
            if (!text->parts->current) {
                *children = empty_variant();
                return S_FALSE;
            }
            *children = child_variant(*text->parts->current);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return guarded([&] {
            const std::optional<AccessibleText> text = own_text();
            const Subject subject = subject_of(child, parts_of(text));
            if (!left || !top || !width || !height || !subject.part) {
                return standard_->accLocation(left, top, width, height, child);
            }
            RECT box = text->parts->parts[*subject.part].box;
            if (IsRectEmpty(&box)) {
                GetClientRect(control_, &box);
            }
            MapWindowPoints(control_, HWND_DESKTOP, reinterpret_cast<POINT*>(&box), 2);
            *left = box.left;
            *top = box.top;
            *width = box.right - box.left;
            *height = box.bottom - box.top;
            return S_OK;
        });
    }
    // From the control to its first or last part, and from a part to the one before or after.
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return guarded([&] {
            const std::optional<AccessibleText> text = own_text();
            const std::optional<AccessibleParts>& parts = parts_of(text);
            const Subject subject = subject_of(start, parts);
            if (!end || !parts || !(subject.part || is_inward(direction))) {
                return standard_->accNavigate(direction, start, end);
            }
            const std::optional<std::size_t> reached = navigate(*parts, subject, direction);
            *end = reached ? child_variant(*reached) : empty_variant();
            return reached ? S_OK : S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return guarded([&] {
            const std::optional<AccessibleText> text = own_text();
            if (child && parts_of(text)) {
                POINT point{x, y};
                ScreenToClient(control_, &point);
                for (std::size_t i = 0; i < text->parts->parts.size(); ++i) {
                    if (PtInRect(&text->parts->parts[i].box, point)) {
                        *child = child_variant(i);
                        return S_OK;
                    }
                }
            }
            return standard_->accHitTest(x, y, child);
        });
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return standard_->get_accDescription(child, description);
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
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
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

    template <typename Body>
    static HRESULT guarded(Body&& body) {
        return within_barrier(body, [] { return E_FAIL; });
    }

    static bool is_inward(LONG direction) {
        return direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD;
    }

    static std::optional<std::size_t> navigate(const AccessibleParts& parts, const Subject& from,
                                               LONG direction) {
        const std::size_t count = parts.parts.size();
        if (from.self && count > 0) {
            return direction == NAVDIR_FIRSTCHILD ? 0 : count - 1;
        }
        if (from.part && direction == NAVDIR_NEXT && *from.part + 1 < count) {
            return *from.part + 1;
        }
        if (from.part && direction == NAVDIR_PREVIOUS && *from.part > 0) {
            return *from.part - 1;
        }
        return std::nullopt;
    }

    static const std::optional<AccessibleParts>& parts_of(
        const std::optional<AccessibleText>& text) {
        static const std::optional<AccessibleParts> none;
        return text ? text->parts : none;
    }

    // Not known (memory ran out): taken as having parts, so that no enumeration contradicts them.
    bool has_parts() const {
        return within_barrier(
            [&] {
                const std::optional<AccessibleText> text = own_text();
                return text && text->parts;
            },
            [] { return true; });
    }

    bool focused() const { return GetFocus() == control_; }

    // The control's own text while it lives.
    std::optional<AccessibleText> own_text() const {
        if (!IsWindow(control_)) {
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
// Loaded when a reader first asks, from the system folder alone.
constexpr wchar_t kOleacc[] = L"oleacc.dll";

// The system tells a reader that the control took the focus; a control of parts tells it which
// part has it.
void announce_focused_part(HWND control, DescribeControl describe) {
    const AccessibleText text = describe(control);
    if (text.parts && text.parts->current) {
        announce_current_part(control, *text.parts->current);
    }
}

// Answers the request for the control's client object; none for other objects, which the
// control's own procedure answers.
std::optional<LRESULT> answer_accessible_object(HWND control, WPARAM flags, LPARAM object_id,
                                                DescribeControl describe) {
    // The identifier comes as a DWORD: compared as the wider LPARAM, its sign would differ.
    if (static_cast<DWORD>(object_id) != static_cast<DWORD>(OBJID_CLIENT) || !com_ready()) {
        return std::nullopt;
    }
    static auto* const create_standard =
        system_function<decltype(CreateStdAccessibleObject)>(kOleacc, "CreateStdAccessibleObject");
    static auto* const reference_of =
        system_function<decltype(LresultFromObject)>(kOleacc, "LresultFromObject");
    IAccessible* standard = nullptr;
    if (!create_standard || !reference_of ||
        FAILED(create_standard(control, OBJID_CLIENT, __uuidof(IAccessible),
                               reinterpret_cast<void**>(&standard)))) {
        return std::nullopt;
    }
    auto* described = new DescribedControl(standard, control, describe);
    const LRESULT reference =
        reference_of(__uuidof(IAccessible), flags, static_cast<IAccessible*>(described));
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
    } else if (message == WM_SETFOCUS) {
        const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
        announce_focused_part(control, describe);
        return result;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, described_control_proc, kDescribedSubclassId);
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

VARIANT long_variant(LONG value) {
    VARIANT result{};
    result.vt = VT_I4;
    result.lVal = value;
    return result;
}

void describe_to_screen_readers(HWND control, DescribeControl describe) {
    SetWindowSubclass(control, described_control_proc, kDescribedSubclassId,
                      reinterpret_cast<DWORD_PTR>(describe));
}

void announce_value_change(HWND control) {
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void announce_current_part(HWND control, std::size_t index) {
    const LONG child = static_cast<LONG>(index + 1);
    NotifyWinEvent(EVENT_OBJECT_SELECTION, control, OBJID_CLIENT, child);
    if (GetFocus() == control) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, control, OBJID_CLIENT, child);
    }
}

}  // namespace tessmar
