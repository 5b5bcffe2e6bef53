#include "model/value_texts.h"

#include <array>

namespace tessmar {
namespace {

constexpr const char* kEnableDisable[] = {"Disable", "Enable"};
constexpr const char* kOffOn[] = {"OFF", "ON"};
constexpr const char* kStartStopSelection[] = {"Industrial 25", "Interleave 25", "Matrix 25"};
constexpr const char* kScanMode[] = {"Auto Off",  "Continuous", "Auto Power Off", "Alternate",
                                     "Momentary", "Repeat",     "Laser",          "Testing"};
constexpr const char* kReadRedundancy[] = {"None", "Two times", "Three times", "Four times"};
constexpr const char* kDelayBetweenReread[] = {"100 ms", "200 ms", "400 ms", "800 ms",
                                               "1 sec",  "2 sec",  "3 sec",  "5 sec"};
constexpr const char* kTransmissionDelay[] = {"0 sec",  "100 ms", "200 ms", "400 ms",
                                              "600 ms", "800 ms", "1 sec",  "2 sec"};
constexpr const char* kMemoryScannerDataDelay[] = {"0 sec", "250 ms", "500 ms", "1 sec",
                                                   "2 sec", "3 sec",  "5 sec",  "8 sec"};
constexpr const char* kTransmissionMode[] = {"Single Port", "Dual Port, Both Ends",
                                             "Dual Port, Female End", "Dual Port, Male End"};
constexpr const char* kBaudRate[] = {"38400", "19200", "9600", "4800",
                                     "2400",  "1200",  "600",  "300"};
constexpr const char* kParity[] = {"None", "Even", "Odd"};
constexpr const char* kDataBit[] = {"7", "8"};
constexpr const char* kFlowControl[] = {"None", "Scanner Ready", "Data Ready",
                                        "Inverted Data Ready"};
constexpr const char* kMarginTime[] = {"5 ms",  "10 ms", "20 ms", "30 ms",
                                       "40 ms", "60 ms", "80 ms", "100 ms"};
constexpr const char* kModuleTime[] = {"250 us", "500 us", "1 ms", "1.5 ms",
                                       "2 ms",   "3 ms",   "4 ms", "5 ms"};
constexpr const char* kWandState[] = {"Low", "High"};
constexpr const char* kPdf417BlockDelay[] = {"50 ms",  "100 ms", "250 ms",  "500 ms",
                                             "750 ms", "1 sec",  "1.5 sec", "2 sec"};
constexpr const char* kAlphabetsTransmission[] = {"Case Sensitive", "Ignore Case"};
constexpr const char* kCapitalLockType[] = {"Normal", "Capital Lock", "Shift Lock"};
constexpr const char* kAlphabetsLayout[] = {"Normal", "AZERTY", "QWERTZ"};
constexpr const char* kDigitsTransmission[] = {"Alpha Numeric Key Pad", "Numeric Key Pad"};
constexpr const char* kDigitsLayout[] = {"Normal", "Lower Row", "Upper Row"};
constexpr const char* kCodabarStartStopCharacter[] = {"abcd / abcd", "abcd / tn*e", "ABCD / ABCD",
                                                      "ABCD / TN*E"};
constexpr const char* kUpceSystemNumber[] = {"0 only", "0 and 1"};
constexpr const char* kMsiChecksumVerification[] = {"Single Modulo 10", "Double Modulo 10",
                                                    "Modulo 11 && 10"};
constexpr const char* kMsiChecksumTransmission[] = {"Last digit not transmitted", "Transmitted",
                                                    "Last 2 digits not transmitted"};
constexpr const char* kTerminatingString[] = {"Discard", "Include"};
constexpr const char* kKeyboardTypes[] = {
    "PCAT (US)",
    "PCAT (French)",
    "PCAT (German)",
    "PCAT (Italy)",
    "PCAT (Swedish)",
    "PCAT (Norwegian)",
    "PCAT (UK)",
    "PCAT (Belgium)",
    "PCAT (Spanish)",
    "PCAT (Portuguese)",
    "PS55 A01-1",
    "PS55 A01-2",
    "PS55 A01-3",
    "PS55 001-1",
    "PS55 001-81",
    "PS55 001-2",
    "PS55 001-82",
    "PS55 001-3",
    "PS55 001-8A",
    "PS55 002-1, 003-1",
    "PS55 002-81, 003-81",
    "PS55 002-2, 003-2",
    "PS55 002-82, 003-82",
    "PS55 002-3, 003-3",
    "PS55 002-8A, 003-8A",
    "IBM 3477 (Japanese)",
    "PS2-30",
    "IBM 34XX/319X, Memorex Telex 122 Keys",
};

constexpr char kBuzzerFrequencyDigits[] = {'8', '4', '2', '1'};

}  // namespace

namespace texts {
const TextList enable_disable = kEnableDisable;
const TextList off_on = kOffOn;
const TextList start_stop_selection = kStartStopSelection;
const TextList scan_mode = kScanMode;
const TextList read_redundancy = kReadRedundancy;
const TextList delay_between_reread = kDelayBetweenReread;
const TextList transmission_delay = kTransmissionDelay;
const TextList memory_scanner_data_delay = kMemoryScannerDataDelay;
const TextList transmission_mode = kTransmissionMode;
const TextList baud_rate = kBaudRate;
const TextList parity = kParity;
const TextList data_bit = kDataBit;
const TextList flow_control = kFlowControl;
const TextList margin_time = kMarginTime;
const TextList module_time = kModuleTime;
const TextList wand_state = kWandState;
const TextList pdf417_block_delay = kPdf417BlockDelay;
const TextList alphabets_transmission = kAlphabetsTransmission;
const TextList capital_lock_type = kCapitalLockType;
const TextList alphabets_layout = kAlphabetsLayout;
const TextList digits_transmission = kDigitsTransmission;
const TextList digits_layout = kDigitsLayout;
const TextList codabar_start_stop_character = kCodabarStartStopCharacter;
const TextList upce_system_number = kUpceSystemNumber;
const TextList msi_checksum_verification = kMsiChecksumVerification;
const TextList msi_checksum_transmission = kMsiChecksumTransmission;
const TextList terminating_string = kTerminatingString;
const TextList keyboard_types = kKeyboardTypes;
}  // namespace texts

char buzzer_frequency_digit(unsigned value) {
    return value < std::size(kBuzzerFrequencyDigits) ? kBuzzerFrequencyDigits[value] : 0;
}

std::string value_text(TextList list, unsigned value) {
    if (value < list.size()) {
        return list[value];
    }
    return "Unknown (" + std::to_string(value) + ")";
}

std::string keyboard_type_name(unsigned keyboard_type) {
    if (keyboard_type >= 1 && keyboard_type <= texts::keyboard_types.size()) {
        return texts::keyboard_types[keyboard_type - 1];
    }
    return "Unknown (" + std::to_string(keyboard_type) + ")";
}

unsigned display_index_of_layout_value(unsigned stored) {
    return stored == 0 ? 0 : stored - 1;
}

}  // namespace tessmar
