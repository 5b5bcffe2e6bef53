// One shape for every dialog and property sheet page: a state attached in WM_INITDIALOG and found
// again through dialog_state(), a guard for the commands a dialog's own filling sends, and the
// procedure that dispatches to a table of typed handlers inside the exception barrier.
#pragma once

#include <windows.h>

#include <utility>

#include "win32/dialog_controls.h"
#include "win32/procedure_barrier.h"

namespace tessmar {

// Calls a hook that may be null, and gives `otherwise` when it is. The hook comes in as a value:
// tested where it is known at compile time, it would be a warning.
template <typename Result, typename Hook, typename... Arguments>
Result call_hook_or(Result otherwise, Hook hook, Arguments&&... arguments) {
    return hook ? static_cast<Result>(hook(std::forward<Arguments>(arguments)...)) : otherwise;
}

template <typename Hook, typename... Arguments>
void call_hook(Hook hook, Arguments&&... arguments) {
    if (hook) {
        hook(std::forward<Arguments>(arguments)...);
    }
}

namespace dialog_detail {

// The address of a variable of its own names a state type.
template <typename State>
inline constexpr char kTypeTag = 0;

// What DWLP_USER holds from WM_INITDIALOG to WM_NCDESTROY.
struct Attachment {
    const void* type;
    void* state;
    void (*release)(void* state);  // null when the dialog's runner owns the state
    bool filling = false;
    // Handlers of this dialog still running: one may run a nested modal loop in which the
    // dialog is destroyed, and must find its state alive when the loop returns.
    int running = 0;
    bool detached = false;
};

Attachment* attachment_of(HWND dialog);
// False when the attachment could not be made; the state is then released.
bool attach(HWND dialog, const void* type, void* state, void (*release)(void*));
// Takes the state off the dialog; an owned state is released once no handler runs on it.
void detach(HWND dialog);

// Marks a handler of the dialog as running for its lifetime.
class RunningHandler {
  public:
    explicit RunningHandler(Attachment& attachment) : attachment_(attachment) {
        ++attachment_.running;
    }
    ~RunningHandler();
    RunningHandler(const RunningHandler&) = delete;
    RunningHandler& operator=(const RunningHandler&) = delete;

  private:
    Attachment& attachment_;
};

}  // namespace dialog_detail

// The state the dialog's procedure attached, or null: before WM_INITDIALOG (Windows may send a
// dialog notifications while it creates the controls, an up-down's buddy's for one), after
// WM_NCDESTROY, and when the dialog holds a state of another type.
template <typename State>
State* dialog_state(HWND dialog) {
    const dialog_detail::Attachment* attachment = dialog_detail::attachment_of(dialog);
    if (!attachment || attachment->type != &dialog_detail::kTypeTag<State>) {
        return nullptr;
    }
    return static_cast<State*>(attachment->state);
}

// Held while a dialog writes its own controls: the commands their changes send (an edit box's
// EN_CHANGE after SetWindowText) are not the user's, and the procedure does not pass them on.
class FillingControls {
  public:
    explicit FillingControls(HWND dialog);
    ~FillingControls();
    FillingControls(const FillingControls&) = delete;
    FillingControls& operator=(const FillingControls&) = delete;

  private:
    HWND dialog_;
    bool was_filling_;
};

bool filling_controls(HWND dialog);

// A dialog's handlers; each may be null.
template <typename State>
struct DialogHandlers {
    // Fills the controls, with the state attached and while filling. Returns as WM_INITDIALOG
    // does: TRUE lets the system give the focus.
    BOOL (*init)(HWND dialog, State& state) = nullptr;
    // A WM_COMMAND; true when the dialog handled it.
    bool (*command)(HWND dialog, State& state, int id, UINT code) = nullptr;
    // A WM_NOTIFY; answers as a dialog procedure does (answer_notification).
    INT_PTR (*notify)(HWND dialog, State& state, const NMHDR& header) = nullptr;
    // Paints an owner-drawn control; true when it was the dialog's.
    bool (*draw_item)(HWND dialog, State& state, const DRAWITEMSTRUCT& item) = nullptr;
    // Any other message, as a dialog procedure answers it.
    INT_PTR(*message)
    (HWND dialog, State& state, UINT message, WPARAM wParam, LPARAM lParam) = nullptr;
};

// Where a dialog's state comes from. By default WM_INITDIALOG's parameter is the state itself,
// which the code that runs the dialog keeps alive until the dialog has ended.
template <typename State>
struct StateFromParameter {
    static State* take(LPARAM parameter) { return reinterpret_cast<State*>(parameter); }
    static constexpr void (*release)(void*) = nullptr;
};

namespace dialog_detail {

template <typename State, const DialogHandlers<State>& handlers, typename Source>
INT_PTR dispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        State* state = Source::take(lParam);
        if (!state || !attach(dialog, &kTypeTag<State>, state, Source::release)) {
            return FALSE;
        }
        RunningHandler running(*attachment_of(dialog));
        FillingControls filling(dialog);
        return call_hook_or<BOOL>(TRUE, handlers.init, dialog, *state);
    }
    if (message == WM_NCDESTROY) {
        forget_waiting_focus(dialog);
        detach(dialog);
        return FALSE;
    }
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
        give_waiting_focus(dialog);
    }
    State* state = dialog_state<State>(dialog);
    if (!state) {
        return FALSE;
    }
    RunningHandler running(*attachment_of(dialog));
    switch (message) {
        case WM_COMMAND:
            return !filling_controls(dialog) &&
                   call_hook_or(false, handlers.command, dialog, *state, LOWORD(wParam),
                                HIWORD(wParam));
        case WM_NOTIFY:
            return call_hook_or<INT_PTR>(FALSE, handlers.notify, dialog, *state,
                                         *reinterpret_cast<const NMHDR*>(lParam));
        case WM_DRAWITEM:
            return call_hook_or(false, handlers.draw_item, dialog, *state,
                                *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    }
    return call_hook_or<INT_PTR>(FALSE, handlers.message, dialog, *state, message, wParam, lParam);
}

}  // namespace dialog_detail

template <typename State, const DialogHandlers<State>& handlers,
          typename Source = StateFromParameter<State>>
INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return within_barrier(
        [&] {
            return dialog_detail::dispatch<State, handlers, Source>(dialog, message, wParam,
                                                                    lParam);
        },
        [] { return INT_PTR{FALSE}; });
}

// Runs the dialog modally over `owner` on `state`. Returns what EndDialog was given; 0 or -1
// when the dialog could not be created.
template <typename State, const DialogHandlers<State>& handlers>
INT_PTR run_modal_dialog(HINSTANCE instance, const char* template_name, HWND owner, State& state) {
    return DialogBoxParamA(instance, template_name, owner, DialogProcedure<State, handlers>,
                           reinterpret_cast<LPARAM>(&state));
}

}  // namespace tessmar
