// The texts with which the summary tree names each value of a multi-bit field, looked up by the
// raw stored value, and the word lists the sheet shares with it. Records from files and from the
// scanner may hold values no list covers.
#pragma once

#include <span>
#include <string>

namespace tessmar {

// A list of texts in value order; every value list and word list of the program is one.
using TextList = std::span<const char* const>;

namespace texts {
inline constexpr const char* enable_disable[] = {"Disable", "Enable"};
inline constexpr const char* off_on[] = {"OFF", "ON"};
inline constexpr const char* start_stop_selection[] = {"Industrial 25", "Interleave 25",
                                                       "Matrix 25"};
inline constexpr const char* scan_mode[] = {"Auto Off",  "Continuous", "Auto Power Off",
                                            "Alternate", "Momentary",  "Repeat",
                                            "Laser",     "Testing"};
// The disable_buzzer bit read as the buzzer's own state: 1 switches the buzzer off.
inline constexpr const char* buzzer_state[] = {"Enable", "Disable"};
// The buzzer frequency in kHz.
inline constexpr const char* buzzer_frequency[] = {"8", "4", "2", "1"};
inline constexpr const char* read_redundancy[] = {"None", "Two times", "Three times", "Four times"};
inline constexpr const char* delay_between_reread[] = {"100 ms", "200 ms", "400 ms", "800 ms",
                                                       "1 sec",  "2 sec",  "3 sec",  "5 sec"};
inline constexpr const char* transmission_delay[] = {"0 sec",  "100 ms", "200 ms", "400 ms",
                                                     "600 ms", "800 ms", "1 sec",  "2 sec"};
inline constexpr const char* memory_scanner_data_delay[] = {"0 sec", "250 ms", "500 ms", "1 sec",
                                                            "2 sec", "3 sec",  "5 sec",  "8 sec"};
inline constexpr const char* transmission_mode[] = {"Single Port", "Dual Port, Both Ends",
                                                    "Dual Port, Female End", "Dual Port, Male End"};
inline constexpr const char* baud_rate[] = {"38400", "19200", "9600", "4800",
                                            "2400",  "1200",  "600",  "300"};
inline constexpr const char* parity[] = {"None", "Even", "Odd"};
inline constexpr const char* data_bit[] = {"7", "8"};
inline constexpr const char* flow_control[] = {"None", "Scanner Ready", "Data Ready",
                                               "Inverted Data Ready"};
inline constexpr const char* margin_time[] = {"5 ms",  "10 ms", "20 ms", "30 ms",
                                              "40 ms", "60 ms", "80 ms", "100 ms"};
inline constexpr const char* module_time[] = {"250 us", "500 us", "1 ms", "1.5 ms",
                                              "2 ms",   "3 ms",   "4 ms", "5 ms"};
inline constexpr const char* wand_state[] = {"Low", "High"};
inline constexpr const char* pdf417_block_delay[] = {"50 ms",  "100 ms", "250 ms",  "500 ms",
                                                     "750 ms", "1 sec",  "1.5 sec", "2 sec"};
inline constexpr const char* alphabets_transmission[] = {"Case Sensitive", "Ignore Case"};
// Capital lock type and digits layout are listed by display index.
inline constexpr const char* capital_lock_type[] = {"Normal", "Capital Lock", "Shift Lock"};
inline constexpr const char* alphabets_layout[] = {"Normal", "AZERTY", "QWERTZ"};
inline constexpr const char* digits_transmission[] = {"Alpha Numeric Key Pad", "Numeric Key Pad"};
inline constexpr const char* digits_layout[] = {"Normal", "Lower Row", "Upper Row"};
inline constexpr const char* codabar_start_stop_character[] = {"abcd / abcd", "abcd / tn*e",
                                                               "ABCD / ABCD", "ABCD / TN*E"};
inline constexpr const char* upce_system_number[] = {"0 only", "0 and 1"};
inline constexpr const char* msi_checksum_verification[] = {"Single Modulo 10", "Double Modulo 10",
                                                            "Modulo 11 && 10"};
inline constexpr const char* msi_checksum_transmission[] = {
    "Last digit not transmitted", "Transmitted", "Last 2 digits not transmitted"};
inline constexpr const char* terminating_string[] = {"Discard", "Include"};
// A length qualification's mode, as the summary tree names it.
inline constexpr const char* length_mode[] = {"Fixed", "Max / Min"};
}  // namespace texts

// Keyboard type n (1 to 28) is row n - 1: its name in the summary tree and a settings text, its
// shorter name on the sheet, and its item in the Interface page's list where the page writes it
// otherwise (with a doubled slash).
struct KeyboardName {
    const char* tree;
    const char* sheet;
    const char* page = nullptr;  // the tree's name where null
};

namespace texts {
inline constexpr KeyboardName keyboard_names[] = {
    {"PCAT (US)", "PCAT US"},
    {"PCAT (French)", "PCAT French"},
    {"PCAT (German)", "PCAT German"},
    {"PCAT (Italy)", "PCAT Italy"},
    {"PCAT (Swedish)", "PCAT Swedish"},
    {"PCAT (Norwegian)", "PCAT Norwegian"},
    {"PCAT (UK)", "PCAT UK"},
    {"PCAT (Belgium)", "PCAT Belgium"},
    {"PCAT (Spanish)", "PCAT Spanish"},
    {"PCAT (Portuguese)", "PCAT Portuguese"},
    {"PS55 A01-1", "PS55 A01-1"},
    {"PS55 A01-2", "PS55 A01-2"},
    {"PS55 A01-3", "PS55 A01-3"},
    {"PS55 001-1", "PS55 001-1"},
    {"PS55 001-81", "PS55 001-81"},
    {"PS55 001-2", "PS55 001-2"},
    {"PS55 001-82", "PS55 001-82"},
    {"PS55 001-3", "PS55 001-3"},
    {"PS55 001-8A", "PS55 001-8A"},
    {"PS55 002-1, 003-1", "PS55 002-1,003-1"},
    {"PS55 002-81, 003-81", "PS55 002-81,003-81"},
    {"PS55 002-2, 003-2", "PS55 002-2,003-2"},
    {"PS55 002-82, 003-82", "PS55 002-82,003-82"},
    {"PS55 002-3, 003-3", "PS55 002-3,003-3"},
    {"PS55 002-8A, 003-8A", "PS55 002-8A,003-8A"},
    {"IBM 3477 (Japanese)", "IBM 3477 Japanese"},
    {"PS2-30", "PS2-30"},
    {"IBM 34XX/319X, Memorex Telex 122 Keys", "IBM 34XX/319X...",
     "IBM 34XX//319X, Memorex Telex 122 Keys"},
};
}  // namespace texts

// The list's text for `value`, or "Unknown (N)" when the list has none.
std::string value_text(TextList list, unsigned value);

// The name of keyboard type n (1 to 28), or "Unknown (N)".
std::string keyboard_type_name(unsigned keyboard_type);

// Capital lock type and digits layout store 0, 2 and 3 for their three items; a stored 1 (never
// written by the editors) reads as "Normal" here.
unsigned display_index_of_layout_value(unsigned stored);

}  // namespace tessmar
