#include "pages/ui/reader_page.h"
#include "pages/ui/reader_pages.h"
#include "resources/resource.h"

namespace tessmar {
namespace {

using F = Field;

// The lists whose items differ from the texts the summary tree shows; the others use those.
constexpr const char* kBuzzerFrequencyItems[] = {"8 KHz", "4 KHz", "2 KHz", "1 KHz"};
constexpr const char* kTransmissionDelayItems[] = {"None",   "100 ms", "200 ms", "400 ms",
                                                   "600 ms", "800 ms", "1 sec",  "2 sec"};
constexpr const char* kDataDelayItems[] = {"None",  "250 ms", "500 ms", "1 sec",
                                           "2 sec", "3 sec",  "5 sec",  "8 sec"};

// Every control of the page, in the order OK writes them. Reset restores exactly these fields.
constexpr FieldBinding kFields[] = {
    bind::list(IDC_SCAN_MODE, F::scan_mode, texts::scan_mode),
    bind::list(IDC_READ_REDUNDANCY, F::read_redundancy, texts::read_redundancy),
    bind::list(IDC_DELAY_BETWEEN_REREAD, F::delay_between_reread, texts::delay_between_reread),
    bind::number(IDC_SCANNER_TIMEOUT, F::scanner_timeout, IDC_SCANNER_TIMEOUT_SPIN),
    bind::check_box(IDC_READ_NEGATIVE_BARCODE, F::read_negative_barcode),
    bind::check_box(IDC_DISABLE_BUZZER, F::disable_buzzer),
    bind::list(IDC_BUZZER_FREQUENCY, F::buzzer_frequency, kBuzzerFrequencyItems),
    bind::check_box(IDC_TRANSMIT_BUFFER, F::transmit_buffer),
    bind::list(IDC_TRANSMISSION_DELAY, F::transmission_delay, kTransmissionDelayItems),
    bind::check_box(IDC_MEMORY_SCANNER, F::memory_scanner),
    bind::list(IDC_DATA_DELAY, F::memory_scanner_data_delay, kDataDelayItems),
};

const PageDescription<> kDescription = {
    .controls = {.fields = kFields},
    .reset_button = IDC_SCANNER_RESET,
};

}  // namespace

INT_PTR CALLBACK ScannerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderPageProc<kDescription>(page, message, wParam, lParam);
}

}  // namespace tessmar
