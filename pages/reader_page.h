// A page of the Reader Settings sheet is a description: its bound fields, its Reset button, and
// hooks for the little that no table can say. One procedure runs every page.
#pragma once

#include <windows.h>

#include <any>
#include <span>

#include "pages/field_bindings.h"
#include "pages/key_boxes.h"
#include "pages/page_context.h"

namespace tessmar {

struct PageState;

struct PageDescription {
    std::span<const FieldBinding> fields = {};
    // Key-entry boxes on key strings of the record.
    std::span<const KeyBoxSpec> key_boxes = {};
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

    ProgramState& program() const { return *context.state; }
};

// What the sheet hands each page through PROPSHEETPAGE's lParam; it outlives the sheet's run.
struct PageLaunch {
    PageContext context;
    const PageDescription* description = nullptr;
};

INT_PTR CALLBACK ReaderPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the page's controls from the record again, as on creation.
void refill_page(HWND page, PageState& state);

}  // namespace tessmar
