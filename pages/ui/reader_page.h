// A page of a property sheet is a description: its bound fields, its Reset button, and hooks for
// the little that no table can say. One procedure runs every page; a page that keeps something
// beyond its controls names that data's type in its description, and its hooks get it typed.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <span>
#include <type_traits>

#include "pages/ui/field_bindings.h"
#include "pages/ui/key_boxes.h"
#include "pages/ui/page_context.h"
#include "win32/dialog_controls.h"
#include "win32/dialog_procedure.h"

namespace tessmar {

// What a sheet gives all its pages.
struct PageSheet {
    const char* caption;
    // The bytes the pages' key boxes and bits live in: the record's when null. The
    // editing-format sheet's pages edit a staging block.
    std::span<std::uint8_t> (*edited_bytes)(ProgramState& program) = nullptr;
    // Whether a page's OK marks the document modified.
    bool marks_modified = true;
    // After each page's OK: what the sheet does with what its pages wrote.
    void (*after_commit)(ProgramState& program) = nullptr;
};

// What run_page_sheet hands each page through PROPSHEETPAGE's lParam; it outlives the sheet.
struct PageLaunch {
    PageContext context;
    const PageSheet* sheet = nullptr;
    // Set by the pages' OK: the sheet was closed by OK.
    bool* committed = nullptr;
};

struct NoPageData {};

template <typename Data = NoPageData>
struct PageState {
    PageContext context;
    const PageSheet* sheet;
    bool* committed;
    // The staging copies of the page's key strings.
    KeyBoxes key_boxes;
    // What the page keeps beyond its controls, made by its `prepare` hook.
    Data data{};

    ProgramState& program() const { return *context.state; }
    // The bytes the page's key boxes and bits live in.
    std::span<std::uint8_t> edited_bytes() const {
        return sheet->edited_bytes ? sheet->edited_bytes(program())
                                   : std::span<std::uint8_t>(program().record.bytes);
    }
};

template <typename DataType = NoPageData>
struct PageDescription {
    using Data = DataType;
    using State = PageState<Data>;

    std::span<const FieldBinding> fields = {};
    // Key-entry boxes on key strings of the edited bytes.
    std::span<const KeyBoxSpec> key_boxes = {};
    // What a screen reader calls key box `index` where its label says too little; null for the
    // labels.
    std::string (*key_box_name)(std::size_t index) = nullptr;
    // Check boxes on bits of the edited bytes.
    std::span<const BitBinding> bits = {};
    // Puts the page's fields and key strings back to their factory values at once, Cancel or
    // not; 0 for none.
    int reset_button = 0;

    // Hooks; each may be null.
    // Once, on creation, before the first fill: list items and the page's data.
    void (*prepare)(HWND page, State& state) = nullptr;
    // After the tables' controls were filled from the record, on creation and after Reset.
    void (*fill)(HWND page, State& state) = nullptr;
    // What Reset writes beyond the tables' fields.
    void (*reset)(SettingsRecord& record) = nullptr;
    // A command no binding handles; true when the page handled it.
    bool (*command)(HWND page, State& state, int id, UINT code) = nullptr;
    // What OK writes beyond the tables' fields.
    void (*commit)(HWND page, State& state) = nullptr;
    // Paints an owner-drawn control; true when it was the page's.
    bool (*draw_item)(const DRAWITEMSTRUCT& item) = nullptr;
};

// PSM_QUERYSIBLINGS with this wParam and a SettingsRecord* as lParam: each page of the record
// writes its key strings' staging copies into that record, so that a page can see the key
// strings as the sheet shows them, before OK.
inline constexpr WPARAM kQueryStagedKeyStrings = 0x4B53;

// What every page does, whatever its data.
namespace reader_page_detail {

// The table-driven halves of filling, Reset and OK.
void show_tables(HWND page, const PageDescription<>& tables, KeyBoxes& key_boxes,
                 std::span<std::uint8_t> bytes, const ProgramState& program);
void reset_tables(const PageDescription<>& tables, SettingsRecord& record);
bool on_table_command(HWND page, const PageDescription<>& tables, int id, UINT code);
void commit_tables(HWND page, const PageDescription<>& tables, KeyBoxes& key_boxes,
                   std::span<std::uint8_t> bytes, SettingsRecord& record);
// What a page's OK does once its own fields are written.
void after_commit(const PageSheet& sheet, bool& committed, ProgramState& program);

template <typename Data>
PageDescription<> tables_of(const PageDescription<Data>& description) {
    return {.fields = description.fields,
            .key_boxes = description.key_boxes,
            .bits = description.bits,
            .reset_button = description.reset_button};
}

template <const auto& description>
struct Page {
    using State = typename std::remove_cvref_t<decltype(description)>::State;

    // The page makes its state from the launch data of its sheet and frees it with itself.
    static State* take(LPARAM parameter) {
        const auto* sheet_page = reinterpret_cast<const PROPSHEETPAGEA*>(parameter);
        const auto* launch = reinterpret_cast<const PageLaunch*>(sheet_page->lParam);
        return new State{launch->context, launch->sheet, launch->committed,
                         KeyBoxes(description.key_boxes)};
    }
    static void free(void* state) { delete static_cast<State*>(state); }
    static constexpr void (*release)(void*) = free;

    static void refill(HWND page, State& state) {
        FillingControls filling(page);
        show_tables(page, tables_of(description), state.key_boxes, state.edited_bytes(),
                    state.program());
        call_hook(description.fill, page, state);
    }

    static BOOL init(HWND page, State& state) {
        prepare_controls(page, description.fields);
        call_hook(description.prepare, page, state);
        refill(page, state);
        state.key_boxes.bind(page, state.context.instance, state.program().interface_class,
                             description.key_box_name);
        return TRUE;  // the sheet gives the default focus
    }

    static void reset(HWND page, State& state) {
        SettingsRecord& record = state.program().record;
        reset_tables(tables_of(description), record);
        call_hook(description.reset, record);
        refill(page, state);
    }

    static bool command(HWND page, State& state, int id, UINT code) {
        if (description.reset_button != 0 && id == description.reset_button) {
            if (code == BN_CLICKED) {
                reset(page, state);
            }
            return true;
        }
        return on_table_command(page, tables_of(description), id, code) ||
               call_hook_or(false, description.command, page, state, id, code);
    }

    static void apply(HWND page, State& state) {
        ProgramState& program = state.program();
        commit_tables(page, tables_of(description), state.key_boxes, state.edited_bytes(),
                      program.record);
        call_hook(description.commit, page, state);
        after_commit(*state.sheet, *state.committed, program);
    }

    // The Interface page may have changed the interface since the page last showed: its key
    // strings read differently now ("[CR]" rather than "[Enter]").
    static void on_set_active(HWND page, State& state) {
        FillingControls filling(page);
        state.key_boxes.show_all(page, state.program().interface_class);
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
    static INT_PTR message(HWND, State& state, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == PSM_QUERYSIBLINGS && wParam == kQueryStagedKeyStrings &&
            state.sheet->edited_bytes == nullptr) {
            state.key_boxes.commit(reinterpret_cast<SettingsRecord*>(lParam)->bytes);
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
