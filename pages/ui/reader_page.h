// A page of a property sheet is a description: its bound controls, its Reset button, and hooks
// for the little that no table can say. One procedure runs every page; a page that keeps
// something beyond its controls names that data's type in its description, and its hooks get it
// typed.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <type_traits>
#include <utility>
#include <variant>

#include "pages/ui/bound_controls.h"
#include "pages/ui/page_context.h"
#include "summary/setting_search.h"
#include "win32/dialog_controls.h"
#include "win32/dialog_procedure.h"

namespace tessmar {

// One run of a sheet, which its pages share through PROPSHEETPAGE's lParam: what they work on,
// where their key strings and bits live, what their OK does beyond their own controls, the
// control to show first, and whether OK closed the sheet.
struct PageLaunch {
    PageContext context;
    const char* caption;
    // The record's bytes when null; the editing-format sheet's pages edit a staging block.
    EditedBytes edited_bytes = nullptr;
    // Whether a page's OK marks the document modified.
    bool marks_modified = true;
    // After each page's OK: what the sheet does with what its pages wrote.
    void (*after_commit)(ProgramState& program) = nullptr;
    // The way to a control that takes the focus once the sheet is up, or null. The first page
    // shown takes it; it lives as long as the sheet runs.
    const SettingRoute* route = nullptr;
    bool committed = false;
};

// One page's life: its run, its bound controls with their staging copies, and what the page
// keeps beyond its controls, made by its `prepare` hook.
template <typename Data = std::monostate>
struct PageState {
    PageLaunch& launch;
    BoundWindow controls;
    Data data{};

    const PageContext& context() const { return launch.context; }
    ProgramState& program() const { return controls.program(); }
};

// One page's tables and hooks, its data's type included.
template <typename DataType = std::monostate>
struct PageDescription {
    using Data = DataType;
    using State = PageState<Data>;

    BoundControls controls = {};
    // Puts the page's controls back to their factory values at once, Cancel or not; 0 for none.
    int reset_button = 0;

    // Hooks; each may be null.
    // Once, on creation, before the first fill: list items and the page's data.
    void (*prepare)(HWND page, State& state) = nullptr;
    // After the tables' controls were filled, on creation and after Reset.
    void (*fill)(HWND page, State& state) = nullptr;
    // What Reset writes beyond the tables' controls.
    void (*reset)(SettingsRecord& record) = nullptr;
    // A command no binding handles; true when the page handled it.
    bool (*command)(HWND page, State& state, int id, UINT code) = nullptr;
    // What OK writes beyond the tables' controls.
    void (*commit)(HWND page, State& state) = nullptr;
    // Paints an owner-drawn control; true when it was the page's.
    bool (*draw_item)(const DRAWITEMSTRUCT& item) = nullptr;
    // Opens the dialog or sheet that holds the route's control, where the route goes on from this
    // page; false when the control is the page's own.
    bool (*open_route)(HWND page, State& state, const SettingRoute& route) = nullptr;
};

// PSM_QUERYSIBLINGS with this wParam and a SettingsRecord* as lParam: each page of the record
// writes its key strings' staging copies into that record, so that a page can see the key
// strings as the sheet shows them, before OK.
inline constexpr WPARAM kQueryStagedKeyStrings = 0x4B53;

// Posted to the first page shown with the route (lParam) its sheet was opened with: the sheet
// gives its default focus after the page's activation, so the route is followed once it has.
inline constexpr UINT kFollowRoute = WM_APP + 0x52;

// What every page does, whatever its data.
namespace reader_page_detail {

// What a page's OK does once its own controls are written.
void after_commit(PageLaunch& launch, ProgramState& program);

// Posted to a page as it becomes the sheet's page: the sheet shows it and hides the other only
// after PSN_SETACTIVE.
inline constexpr UINT kAfterSetActive = WM_APP + 1;

// The focus left on the page that went (Ctrl+Tab) moves to `page`'s first tab stop, or Tab and
// the access keys would start from a hidden control.
void take_focus_from_hidden_page(HWND page);

// After a dialog opened by a row's button closes: the focus goes to the row's check box `id`,
// so that Enter presses the sheet's OK rather than opening the dialog again.
void focus_row_after_dialog(HWND page, int id);

template <const auto& description>
struct Page {
    using State = typename std::remove_cvref_t<decltype(description)>::State;

    // The page makes its state from the launch data of its sheet and frees it with itself.
    static State* take(LPARAM parameter) {
        const auto* sheet_page = reinterpret_cast<const PROPSHEETPAGEA*>(parameter);
        auto* launch = reinterpret_cast<PageLaunch*>(sheet_page->lParam);
        return new State{*launch, BoundWindow(description.controls, *launch->context.state,
                                              launch->edited_bytes)};
    }
    static void free(void* state) { delete static_cast<State*>(state); }
    static constexpr void (*release)(void*) = free;

    static void refill(HWND page, State& state) {
        FillingControls filling(page);
        state.controls.show(page);
        call_hook(description.fill, page, state);
    }

    static BOOL init(HWND page, State& state) {
        state.controls.prepare(page);
        call_hook(description.prepare, page, state);
        refill(page, state);
        state.controls.bind_key_boxes(page, state.context().instance);
        return TRUE;  // the sheet gives the default focus
    }

    static void reset(HWND page, State& state) {
        state.controls.reset();
        call_hook(description.reset, state.program().record);
        refill(page, state);
    }

    static bool command(HWND page, State& state, int id, UINT code) {
        if (description.reset_button != 0 && id == description.reset_button) {
            if (code == BN_CLICKED) {
                reset(page, state);
            }
            return true;
        }
        return state.controls.on_command(page, id, code) ||
               call_hook_or(false, description.command, page, state, id, code);
    }

    static void apply(HWND page, State& state) {
        state.controls.commit(page);
        call_hook(description.commit, page, state);
        after_commit(state.launch, state.program());
    }

    // The Interface page may have changed the interface since the page last showed: its key
    // strings read differently now ("[CR]" rather than "[Enter]").
    static void on_set_active(HWND page, State& state) {
        FillingControls filling(page);
        state.controls.show_key_strings(page);
        PostMessageA(page, kAfterSetActive, 0, 0);
        if (const SettingRoute* route = std::exchange(state.launch.route, nullptr)) {
            PostMessageA(page, kFollowRoute, 0, reinterpret_cast<LPARAM>(route));
        }
    }

    static void follow(HWND page, State& state, const SettingRoute& route) {
        if (!call_hook_or(false, description.open_route, page, state, route)) {
            focus_dialog_control(page, route.control.id);
        }
    }

    static INT_PTR notify(HWND page, State& state, const NMHDR& header) {
        switch (header.code) {
            case PSN_SETACTIVE:
                on_set_active(page, state);
                return answer_notification(page, 0);
            case PSN_APPLY:
                apply(page, state);
                return answer_notification(page, PSNRET_NOERROR);
            case PSN_QUERYCANCEL:
                return answer_notification(page, FALSE);
        }
        return FALSE;
    }

    static bool draw_item(HWND, State&, const DRAWITEMSTRUCT& item) {
        return call_hook_or(false, description.draw_item, item);
    }

    // FALSE lets the sheet ask the next page.
    static INT_PTR message(HWND page, State& state, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kAfterSetActive) {
            take_focus_from_hidden_page(page);
            return TRUE;
        }
        if (message == PSM_QUERYSIBLINGS && wParam == kQueryStagedKeyStrings &&
            state.launch.edited_bytes == nullptr) {
            state.controls.key_boxes().commit(reinterpret_cast<SettingsRecord*>(lParam)->bytes);
        }
        if (message == kFollowRoute) {
            follow(page, state, *reinterpret_cast<const SettingRoute*>(lParam));
            return TRUE;
        }
        return FALSE;
    }

    static constexpr DialogHandlers<State> kHandlers = {.init = init,
                                                        .command = command,
                                                        .notify = notify,
                                                        .draw_item = draw_item,
                                                        .message = message};
};

}  // namespace reader_page_detail

// The procedure of the page `description` describes. Each page file defines its own procedure
// as this one.
template <const auto& description>
INT_PTR CALLBACK ReaderPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    using Page = reader_page_detail::Page<description>;
    return DialogProcedure<typename Page::State, Page::kHandlers, Page>(page, message, wParam,
                                                                        lParam);
}

}  // namespace tessmar
