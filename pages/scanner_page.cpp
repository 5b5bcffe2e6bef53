#include "pages/scanner_page.h"

#include <commctrl.h>
#include <windowsx.h>

#include "pages/field_bindings.h"
#include "pages/page_support.h"
#include "resources/resource.h"

namespace tessmar {
namespace {

// The lists whose items differ from the texts the summary tree shows; the others use those.
constexpr const char* kBuzzerFrequencyItems[] = {"8 KHz", "4 KHz", "2 KHz", "1 KHz"};
constexpr const char* kTransmissionDelayItems[] = {"None",   "100 ms", "200 ms", "400 ms",
                                                   "600 ms", "800 ms", "1 sec",  "2 sec"};
constexpr const char* kDataDelayItems[] = {"None",  "250 ms", "500 ms", "1 sec",
                                           "2 sec", "3 sec",  "5 sec",  "8 sec"};

// Every control of the page, in the order OK writes them. Reset restores exactly these fields.
const FieldBinding kBindings[] = {
    {IDC_SCAN_MODE, Field::scan_mode, ControlKind::drop_down, texts::scan_mode},
    {IDC_READ_REDUNDANCY, Field::read_redundancy, ControlKind::drop_down, texts::read_redundancy},
    {IDC_DELAY_BETWEEN_REREAD, Field::delay_between_reread, ControlKind::drop_down,
     texts::delay_between_reread},
    {IDC_SCANNER_TIMEOUT,
     Field::scanner_timeout,
     ControlKind::number,
     {},
     IDC_SCANNER_TIMEOUT_SPIN},
    {IDC_READ_NEGATIVE_BARCODE, Field::read_negative_barcode, ControlKind::check_box},
    {IDC_DISABLE_BUZZER, Field::disable_buzzer, ControlKind::check_box},
    {IDC_BUZZER_FREQUENCY, Field::buzzer_frequency, ControlKind::drop_down, kBuzzerFrequencyItems},
    {IDC_TRANSMIT_BUFFER, Field::transmit_buffer, ControlKind::check_box},
    {IDC_TRANSMISSION_DELAY, Field::transmission_delay, ControlKind::drop_down,
     kTransmissionDelayItems},
    {IDC_MEMORY_SCANNER, Field::memory_scanner, ControlKind::check_box},
    {IDC_DATA_DELAY, Field::memory_scanner_data_delay, ControlKind::drop_down, kDataDelayItems},
};

void fill(HWND page) {
    PageState& state = page_state(page);
    state.filling = true;
    show_fields(page, kBindings, state.app->state->record);
    state.filling = false;
}

BOOL on_init_dialog(HWND page, HWND, LPARAM lParam) {
    attach_page_state(page, lParam);
    prepare_controls(page, kBindings);
    fill(page);
    return TRUE;  // the sheet gives the default focus
}

void on_reset(HWND page) {
    reset_fields(kBindings, page_state(page).app->state->record);
    fill(page);
}

void on_command(HWND page, int id, HWND, UINT code) {
    if (id == IDC_SCANNER_RESET && code == BN_CLICKED) {
        on_reset(page);
        return;
    }
    const FieldBinding* binding = binding_of(kBindings, id);
    if (!binding) {
        return;
    }
    if (binding->kind == ControlKind::check_box && code == BN_CLICKED) {
        toggle_check_box(page, id);
    } else if (binding->kind == ControlKind::number && code == EN_CHANGE &&
               !page_state(page).filling) {
        correct_number_box(page, id, "0");
    }
}

INT_PTR on_notify(HWND page, const NMHDR& header) {
    switch (header.code) {
        case PSN_APPLY: {
            ProgramState& state = *page_state(page).app->state;
            commit_fields(page, kBindings, state.record);
            state.settings_modified = true;
            return answer_notification(page, PSNRET_NOERROR);
        }
        case PSN_QUERYCANCEL:
            return answer_notification(page, FALSE);
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK ScannerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return on_init_dialog(page, reinterpret_cast<HWND>(wParam), lParam);
        case WM_COMMAND:
            HANDLE_WM_COMMAND(page, wParam, lParam, on_command);
            return TRUE;
        case WM_NOTIFY:
            return on_notify(page, *reinterpret_cast<const NMHDR*>(lParam));
        case WM_NCDESTROY:
            detach_page_state(page);
            return FALSE;
    }
    return FALSE;
}

}  // namespace tessmar
