// The Symbology page: one check box per symbology, each with a "Configure..." button that opens
// its parameter dialog and is enabled with the box, and the prefix and suffix key strings.
// Four UPC and EAN families and PDF 417 have no enable bit: their boxes show a state derived from
// the record, which the page can switch off but only their dialogs switch on.
#include "model/symbologies.h"
#include "pages/ui/reader_page.h"
#include "pages/ui/reader_pages.h"
#include "pages/ui/symbology_dialogs.h"
#include "resources/resource.h"
#include "win32/dialog_controls.h"

namespace tessmar {
namespace {

using S = Symbology;

struct SymbologyBox {
    int check_box;  // its Configure button is this id + IDC_CONFIGURE_OFFSET
    Symbology symbology;
};

// In the page's order, which is also the order OK writes them in.
constexpr SymbologyBox kBoxes[] = {
    {IDC_SYMBOLOGY_FIRST + 0, S::code_39},
    {IDC_SYMBOLOGY_FIRST + 1, S::italian_pharmacode},
    {IDC_SYMBOLOGY_FIRST + 2, S::french_pharmacode},
    {IDC_SYMBOLOGY_FIRST + 3, S::industrial_25},
    {IDC_SYMBOLOGY_FIRST + 4, S::interleave_25},
    {IDC_SYMBOLOGY_FIRST + 5, S::matrix_25},
    {IDC_SYMBOLOGY_FIRST + 6, S::codabar},
    {IDC_SYMBOLOGY_FIRST + 7, S::code_93},
    {IDC_SYMBOLOGY_FIRST + 8, S::upce},
    {IDC_SYMBOLOGY_FIRST + 9, S::ean_8},
    {IDC_SYMBOLOGY_FIRST + 10, S::ean_13},
    {IDC_SYMBOLOGY_FIRST + 11, S::upca},
    {IDC_SYMBOLOGY_FIRST + 12, S::msi},
    {IDC_SYMBOLOGY_FIRST + 13, S::plessey},
    {IDC_SYMBOLOGY_FIRST + 14, S::ean_128},
    {IDC_SYMBOLOGY_FIRST + 15, S::code_128},
    {IDC_SYMBOLOGY_FIRST + 16, S::pdf417},
};

constexpr KeyBoxSpec kKeyBoxes[] = {
    bind::key_box(IDC_PREFIX_CODE, KeySlot::prefix_code),
    bind::key_box(IDC_SUFFIX_CODE, KeySlot::suffix_code),
};

const SymbologyBox* box_of(int check_box) {
    for (const SymbologyBox& box : kBoxes) {
        if (box.check_box == check_box) {
            return &box;
        }
    }
    return nullptr;
}

bool box_checked(HWND page, const SymbologyBox& box) {
    return IsDlgButtonChecked(page, box.check_box) == BST_CHECKED;
}

// Code 93 and Code 128 have no button; GetDlgItem finds none for them.
void enable_configure_button(HWND page, const SymbologyBox& box) {
    if (HWND button = GetDlgItem(page, box.check_box + IDC_CONFIGURE_OFFSET)) {
        EnableWindow(button, box_checked(page, box));
    }
}

void show_box(HWND page, const SymbologyBox& box, const SettingsRecord& record) {
    CheckDlgButton(page, box.check_box,
                   symbology_enabled(record, box.symbology) ? BST_CHECKED : BST_UNCHECKED);
    enable_configure_button(page, box);
}

void fill(HWND page, PageState<>& state) {
    for (const SymbologyBox& box : kBoxes) {
        show_box(page, box, state.program().record);
    }
}

// The dialog writes the record on its own OK. A derived state follows what it wrote; the other
// boxes keep what the user set on the page.
void configure(HWND page, PageState<>& state, const SymbologyBox& box, int focus = 0) {
    const SymbologyDialog* dialog = symbology_dialog(box.symbology);
    if (!dialog) {
        return;
    }
    run_symbology_dialog(page, state.context(), *dialog, focus);
    if (enable_is_derived(box.symbology)) {
        show_box(page, box, state.program().record);
    }
    reader_page_detail::focus_row_after_dialog(page, box.check_box);
}

// A setting of a parameter dialog is reached through its symbology's Configure button.
bool open_route(HWND page, PageState<>& state, const SettingRoute& route) {
    for (const SymbologyBox& box : kBoxes) {
        if (route.symbology == box.symbology) {
            configure(page, state, box, route.control.id);
            return true;
        }
    }
    return false;
}

bool command(HWND page, PageState<>& state, int id, UINT code) {
    if (code != BN_CLICKED) {
        return false;
    }
    if (const SymbologyBox* box = box_of(id)) {
        toggle_check_box(page, id);
        enable_configure_button(page, *box);
        return true;
    }
    if (const SymbologyBox* box = box_of(id - IDC_CONFIGURE_OFFSET)) {
        configure(page, state, *box);
        return true;
    }
    return false;
}

void commit(HWND page, PageState<>& state) {
    for (const SymbologyBox& box : kBoxes) {
        write_symbology_enabled(state.program().record, box.symbology, box_checked(page, box));
    }
}

// Every symbology field of the factory record: the enables and everything the dialogs edit.
void reset(SettingsRecord& record) {
    const SettingsRecord factory = factory_record();
    for (const SymbologyInfo& info : kSymbologies) {
        for (const Field field : info.enables) {
            record.set(field, factory.get(field));
        }
    }
    reset_symbology_dialog_fields(record);
}

const PageDescription<> kDescription = {
    .controls = {.key_boxes = kKeyBoxes},
    .reset_button = IDC_SYMBOLOGY_RESET,
    .fill = fill,
    .reset = reset,
    .command = command,
    .commit = commit,
    .open_route = open_route,
};

}  // namespace

INT_PTR CALLBACK SymbologyPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderPageProc<kDescription>(page, message, wParam, lParam);
}

}  // namespace tessmar
