// A page of the Reader Settings sheet is a description: its bound fields, its Reset button, and
// hooks for the little that no table can say. One procedure runs every page.
#pragma once

#include <windows.h>

#include <any>
#include <cstdint>
#include <span>

#include "pages/field_bindings.h"
#include "pages/key_boxes.h"
#include "pages/page_context.h"

namespace tessmar {

struct PageState;

struct PageDescription {
    std::span<const FieldBinding> fields = {};
    // Key-entry boxes on key strings of the edited bytes.
    std::span<const KeyBoxSpec> key_boxes = {};
    // Check boxes on bits of the edited bytes.
    std::span<const BitBinding> bits = {};
    // The bytes the key boxes and bits live in: the record's when null. The editing-format
    // pages edit a staging block, which their commit hooks copy into the record.
    std::span<std::uint8_t> (*edited_bytes)(ProgramState& program) = nullptr;
    // Whether OK marks the document modified; the editing-format pages leave that to the Edit
    // page's OK.
    bool marks_modified = true;
    // Puts the page's fields and key strings back to their factory values at once, Cancel or
    // not; 0 for none.
    int reset_button = 0;

    // Hooks; each may be null.
    // Once, on creation, before the first fill: list items and state beyond the tables.
    void (*prepare)(HWND page, PageState& state) = nullptr;
    // After the tables' controls were filled from the record, on creation and after Reset.
    void (*fill)(HWND page, PageState& state) = nullptr;
    // What Reset writes beyond the tables' fields.
    void (*reset)(SettingsRecord& record) = nullptr;
    // A command no binding handles; true when the page handled it.
    bool (*command)(HWND page, PageState& state, int id, UINT code) = nullptr;
    // What OK writes beyond the tables' fields.
    void (*commit)(HWND page, PageState& state) = nullptr;
    // Paints an owner-drawn control; true when it was the page's.
    bool (*draw_item)(const DRAWITEMSTRUCT& item) = nullptr;
};

// A page's state, from WM_INITDIALOG to WM_NCDESTROY.
struct PageState {
    PageContext context;
    const PageDescription* description = nullptr;
    // Set while the page writes its own controls, so their change notifications are ignored.
    bool filling = false;
    // The staging copies of the page's key strings.
    KeyBoxes key_boxes;
    // What a page keeps beyond its controls, set by its `prepare` hook.
    std::any extra;
    // What the sheet's opener hands its pages (see PageLaunch).
    std::any launch;

    ProgramState& program() const { return *context.state; }
};

// What the sheet hands each page through PROPSHEETPAGE's lParam; it outlives the sheet's run.
struct PageLaunch {
    PageContext context;
    const PageDescription* description = nullptr;
    // Handed to the page as PageState::launch: the Edit page gives the editing-format pages
    // the flag that says a format was configured.
    std::any launch;
};

INT_PTR CALLBACK ReaderPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the page's controls from the record again, as on creation.
void refill_page(HWND page, PageState& state);

// The bytes the page's key boxes and bits live in.
std::span<std::uint8_t> edited_bytes(const PageState& state);

}  // namespace tessmar
