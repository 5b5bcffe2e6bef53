#include "pages/reader_page.h"

#include <commctrl.h>

#include "pages/dialog_controls.h"

namespace tessmar {
namespace {

// Null before WM_INITDIALOG has attached the state: on Windows an up-down control may set its
// buddy's text, and so send a notification, before the page has seen WM_INITDIALOG.
PageState* find_page_state(HWND page) {
    return reinterpret_cast<PageState*>(GetWindowLongPtrA(page, DWLP_USER));
}

BOOL on_init_dialog(HWND page, LPARAM lParam) {
    const auto* sheet_page = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    const auto* launch = reinterpret_cast<const PageLaunch*>(sheet_page->lParam);
    const PageDescription& description = *launch->description;
    auto* state = new PageState{
        launch->context, &description, false, KeyBoxes(description.key_boxes), {}, launch->launch};
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));

    prepare_controls(page, description.fields);
    if (description.prepare) {
        description.prepare(page, *state);
    }
    refill_page(page, *state);
    ProgramState& program = state->program();
    state->key_boxes.bind(page, state->context.instance, program.interface_class);
    return TRUE;  // the sheet gives the default focus
}

void on_reset(HWND page, PageState& state) {
    const PageDescription& description = *state.description;
    SettingsRecord& record = state.program().record;
    reset_fields(description.fields, record);
    reset_key_strings(description.key_boxes, record.bytes, factory_record().bytes);
    if (description.reset) {
        description.reset(record);
    }
    refill_page(page, state);
}

BOOL on_command(HWND page, PageState& state, int id, UINT code) {
    const PageDescription& description = *state.description;
    if (state.filling) {
        return FALSE;
    }
    if (description.reset_button != 0 && id == description.reset_button) {
        if (code == BN_CLICKED) {
            on_reset(page, state);
        }
        return TRUE;
    }
    if (on_bound_control(page, description.fields, id, code) ||
        on_bound_bit(page, description.bits, id, code)) {
        return TRUE;
    }
    return description.command && description.command(page, state, id, code);
}

void on_apply(HWND page, PageState& state) {
    const PageDescription& description = *state.description;
    ProgramState& program = state.program();
    commit_fields(page, description.fields, program.record);
    const std::span<std::uint8_t> bytes = edited_bytes(state);
    state.key_boxes.commit(bytes);
    commit_bits(page, description.bits, bytes);
    if (description.commit) {
        description.commit(page, state);
    }
    if (description.marks_modified) {
        program.settings_modified = true;
    }
}

INT_PTR on_notify(HWND page, PageState& state, const NMHDR& header) {
    switch (header.code) {
        case PSN_APPLY:
            on_apply(page, state);
            return answer_notification(page, PSNRET_NOERROR);
        case PSN_QUERYCANCEL:
            return answer_notification(page, FALSE);
    }
    return FALSE;
}

void detach_page_state(HWND page) {
    delete find_page_state(page);
    SetWindowLongPtrA(page, DWLP_USER, 0);
}

}  // namespace

std::span<std::uint8_t> edited_bytes(const PageState& state) {
    ProgramState& program = state.program();
    const auto bytes_of = state.description->edited_bytes;
    return bytes_of ? bytes_of(program) : std::span<std::uint8_t>(program.record.bytes);
}

void refill_page(HWND page, PageState& state) {
    state.filling = true;
    const ProgramState& program = state.program();
    const std::span<std::uint8_t> bytes = edited_bytes(state);
    show_fields(page, state.description->fields, program.record);
    show_bits(page, state.description->bits, bytes);
    state.key_boxes.fill(page, bytes, program.interface_class);
    if (state.description->fill) {
        state.description->fill(page, state);
    }
    state.filling = false;
}

INT_PTR CALLBACK ReaderPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return on_init_dialog(page, lParam);
    }
    PageState* state = find_page_state(page);
    if (!state) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            return on_command(page, *state, LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY:
            return on_notify(page, *state, *reinterpret_cast<const NMHDR*>(lParam));
        case WM_DRAWITEM:
            return state->description->draw_item &&
                   state->description->draw_item(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_NCDESTROY:
            detach_page_state(page);
            return FALSE;
    }
    return FALSE;
}

}  // namespace tessmar
