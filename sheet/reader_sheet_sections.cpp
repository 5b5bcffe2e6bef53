// The code tables of the scanner, interface, prefix / suffix, symbology and length-code sections.
#include <array>
#include <string>
#include <vector>

#include "model/program_state.h"
#include "model/two_of_five.h"
#include "model/value_texts.h"
#include "sheet/sheet_rows.h"
#include "sheet/sheet_sections.h"

namespace tessmar {
namespace {

using F = Field;
using K = KeySlot;

constexpr const char* kRedundancies[] = {"None", "2 times", "3 times", "4 times"};

constexpr SheetRow kScannerRows[] = {
    OptionRow{F::scan_mode, "%s Mode", list(66, texts::scan_mode)},
    OptionRow{F::read_redundancy, "Redundancy:%s", list(201, kRedundancies)},
    OptionRow{F::delay_between_reread, "Reread Delay:%s", list(336, texts::delay_between_reread)},
    NumberRow{F::scanner_timeout, 207, "Scanner Timeout"},
    OptionRow{F::disable_buzzer, "%s Buzzer", toggle(319, 318, texts::buzzer_state)},
    OptionRow{F::buzzer_frequency, "Frequency:%s khz", list(46, texts::buzzer_frequency),
              only_if(F::disable_buzzer, 0)},
    OptionRow{F::transmit_buffer, "%s TRX. Buffer", enable(386, 387)},
    OptionRow{F::transmission_delay, "Delay:%s", list(344, texts::transmission_delay),
              only_if(F::transmit_buffer, 1)},
    OptionRow{F::memory_scanner, "%s Memory", enable(321, 320)},
    OptionRow{F::memory_scanner_data_delay, "Data Delay:%s",
              list(322, texts::memory_scanner_data_delay), only_if(F::memory_scanner, 1)},
    OptionRow{F::read_negative_barcode, "%s Negative Barcode", enable(199, 200)},
};

constexpr SheetRow kWandRows[] = {
    InterfaceRow{kKeyboardTypeWand, 306, "Wand Emulation"},
    OptionRow{F::margin_time, "Margin Time:%s", list(370, texts::margin_time)},
    OptionRow{F::module_time, "Module Time:%s", list(362, texts::module_time)},
    OptionRow{F::normal_state, "Normal Status:%s", toggle(302, 303, texts::wand_state)},
    OptionRow{F::bar_state, "Bar Status:%s", toggle(304, 305, texts::wand_state)},
    OptionRow{F::pdf417_block_delay, "PDF 417 Block Delay:%s",
              list(378, texts::pdf417_block_delay)},
};

// Interface Settings, keyboard wedge: keyboard type n is entry n, and 0 is RS-232, never a
// keyboard.
constexpr auto kKeyboardNames = [] {
    std::array<const char*, std::size(texts::keyboard_names) + 1> names{};
    for (std::size_t n = 1; n < names.size(); ++n) {
        names[n] = texts::keyboard_names[n - 1].sheet;
    }
    return names;
}();
// Capital lock type and digits layout store 0 (or 1, from files) for their first item.
constexpr int kCapitalLockCodes[] = {10, 10, 12, 11};
constexpr const char* kCapitalLockTypes[] = {"Normal", "Normal", "Capital Lock", "Shift Lock"};
constexpr int kDigitsLayoutCodes[] = {7, 7, 9, 8};
constexpr const char* kDigitsLayouts[] = {"Normal", "Normal", "Lower Row", "Upper Row"};

constexpr SheetRow kKeyboardWedgeRows[] = {
    OptionRow{F::keyboard_type, "%s", {kKeyboardNames, 0, 0}, {}, true},
    OptionRow{F::alphabets_transmission, "%s", toggle(5, 6, texts::alphabets_transmission)},
    OptionRow{F::capital_lock_type, "%s", mapped(kCapitalLockCodes, kCapitalLockTypes)},
    OptionRow{F::alphabets_layout, "%s", list(312, texts::alphabets_layout)},
    OptionRow{F::capital_lock_auto_detection, "Auto Dection %s", on(2, 1)},
    OptionRow{F::alternate_composing, "%s Alt Composing", enable(335, 334)},
    OptionRow{F::digits_transmission, "%s", toggle(13, 14, texts::digits_transmission)},
    OptionRow{F::capital_lock_state, "Capital Lock %s", on(3, 4)},
    OptionRow{F::digits_layout, "%s", mapped(kDigitsLayoutCodes, kDigitsLayouts)},
    NumberRow{F::inter_character_delay, 15, "Inter-Character Delay"},
    OptionRow{F::laptop_support, "%s Laptop Support", enable(389, 388)},
};

constexpr const char* kDataBits[] = {"7 bits", "8 bits"};
constexpr const char* kFlowControls[] = {"None", "Scanner Ready", "Data Ready", "INV. Data Ready"};

constexpr SheetRow kRs232Rows[] = {
    InterfaceRow{kKeyboardTypeRs232, 1, "RS232 Interface"},
    OptionRow{F::transmission_mode, "%s", list(38, texts::transmission_mode)},
    OptionRow{F::baud_rate, "Baud Rate:%s bps", list(16, texts::baud_rate)},
    OptionRow{F::parity, "Parity:%s", list(28, texts::parity)},
    OptionRow{F::data_bit, "Data Bit:%s", toggle(34, 35, kDataBits)},
    // Flow control exists only on a single port.
    OptionRow{F::flow_control, "%s", list(42, kFlowControls), only_if(F::transmission_mode, 0)},
    NumberRow{F::inter_character_delay, 15, "Inter-Character Delay"},
};

constexpr SheetRow kPrefixSuffixRows[] = {
    KeyStringRow{K::prefix_code, 273, "Prefix Code"},
    KeyStringRow{K::suffix_code, 274, "Suffix Code"},
};

// The symbologies. A length qualification's mode bit names its two lengths.
constexpr const char* kLengthQualifications[] = {"Fixed Length Qual.", "Max / Min Length Qual."};
constexpr const char* kStartStops[] = {"IND. 25", "INT. 25", "Matrix 25"};

constexpr SheetRow kCode39Rows[] = {
    OptionRow{F::enable_code_39, "%s", enable(74, 75)},
    OptionRow{F::code_39_full_ascii, "Full ASCII %s", on(122, 123), kIfEnabled},
    OptionRow{F::code_39_transmit_start_stop, "Start / Stop TRX %s", on(116, 117), kIfEnabled},
    OptionRow{F::code_39_verify_checksum, "Checksum Verify %s", on(118, 119), kIfEnabled},
    OptionRow{F::code_39_transmit_checksum, "Checksum TRX %s", on(120, 121), kIfEnabled},
};
constexpr SheetRow kItalianPharmacodeRows[] = {
    OptionRow{F::enable_italian_pharmacode, "%s", enable(76, 77)},
    OptionRow{F::italian_pharmacode_transmit_checksum, "Checksum TRX %s", on(126, 127), kIfEnabled},
};
constexpr SheetRow kFrenchPharmacodeRows[] = {
    OptionRow{F::enable_french_pharmacode, "%s", enable(78, 79)},
    OptionRow{F::french_pharmacode_transmit_checksum, "Checksum TRX %s", on(128, 129), kIfEnabled},
};
constexpr SheetRow kCodabarRows[] = {
    OptionRow{F::enable_codabar, "%s", enable(86, 87)},
    OptionRow{F::codabar_start_stop_character, "%s", list(151, texts::codabar_start_stop_character),
              kIfEnabled},
    OptionRow{F::codabar_transmit_start_stop, "Start / Stop TRX %s", on(155, 156), kIfEnabled},
    OptionRow{F::codabar_clsi_conversion, "CLSI Convert %s", on(157, 158), kIfEnabled},
};
constexpr SheetRow kCode93Rows[] = {
    OptionRow{F::enable_code_93, "%s", enable(88, 89)},
};
constexpr SheetRow kCode128Rows[] = {
    OptionRow{F::enable_code_128, "%s", enable(90, 91)},
};
constexpr SheetRow kEan128Rows[] = {
    OptionRow{F::enable_ean_128, "%s", enable(104, 105)},
    KeyStringRow{K::field_separator, 301, "Field Separator", kIfEnabled},
};
constexpr SheetRow kUpceRows[] = {
    OptionRow{F::upce_no_addon, "%s No Addon", enable(92, 93)},
    OptionRow{F::upce_addon_2, "%s Addon 2", enable(94, 95)},
    OptionRow{F::upce_addon_5, "%s Addon 5", enable(96, 97)},
    OptionRow{F::upce_convert_to_upca, "Cvt. to UPCA %s", on(175, 176), kIfEnabled},
    OptionRow{F::upce_transmit_checksum, "Checksum TRX %s", on(183, 184), kIfEnabled},
    OptionRow{F::upce_transmit_system_number, "System No. TRX %s", on(191, 192), kIfEnabled},
    OptionRow{F::upce_system_number, "System Number %s",
              toggle(287, 288, texts::upce_system_number), kIfEnabled},
};
constexpr SheetRow kEan8Rows[] = {
    OptionRow{F::ean_8_no_addon, "%s No Addon", enable(98, 99)},
    OptionRow{F::ean_8_addon_2, "%s Addon 2", enable(100, 101)},
    OptionRow{F::ean_8_addon_5, "%s Addon 5", enable(102, 103)},
    OptionRow{F::ean_8_convert_to_ean_13, "Cvt. to EAN 13 %s", on(195, 196), kIfEnabled},
    OptionRow{F::ean_8_transmit_checksum, "Checksum TRX %s", on(187, 188), kIfEnabled},
};
constexpr SheetRow kEan13Rows[] = {
    OptionRow{F::ean_13_no_addon, "%s No Addon", enable(106, 107)},
    OptionRow{F::ean_13_addon_2, "%s Addon 2", enable(108, 109)},
    OptionRow{F::ean_13_addon_5, "%s Addon 5", enable(110, 111)},
    OptionRow{F::isbn_conversion, "ISBN Convert %s", on(179, 180), kIfEnabled},
    OptionRow{F::issn_conversion, "ISSN Convert %s", on(181, 182), kIfEnabled},
    OptionRow{F::ean_13_transmit_checksum, "Checksum TRX %s", on(189, 190), kIfEnabled},
};
constexpr SheetRow kUpcaRows[] = {
    OptionRow{F::upca_no_addon, "%s No Addon", enable(291, 292)},
    OptionRow{F::upca_addon_2, "%s Addon 2", enable(293, 294)},
    OptionRow{F::upca_addon_5, "%s Addon 5", enable(295, 296)},
    OptionRow{F::upca_convert_to_ean_13, "Cvt. to EAN 13 %s", on(177, 178), kIfEnabled},
    OptionRow{F::upca_transmit_checksum, "Checksum TRX %s", on(185, 186), kIfEnabled},
    OptionRow{F::upca_transmit_system_number, "System No. TRX %s", on(193, 194), kIfEnabled},
};
constexpr const char* kMsiTransmissions[] = {"Last digit not trx", "Transmitted",
                                             "Last 2 digits not trx"};
constexpr SheetRow kMsiRows[] = {
    OptionRow{F::enable_msi, "%s", enable(112, 113)},
    OptionRow{F::msi_checksum_verification, "%s", list(167, texts::msi_checksum_verification),
              kIfEnabled},
    OptionRow{F::msi_checksum_transmission, "%s", list(170, kMsiTransmissions), kIfEnabled},
    OptionRow{F::msi_length_mode, "%s", toggle(220, 221, kLengthQualifications), kIfEnabled},
    LengthRow{F::msi_length_1, F::msi_length_mode, 222, "Max Length", "Fixed Length 1"},
    LengthRow{F::msi_length_2, F::msi_length_mode, 223, "Min Length", "Fixed Length 2"},
};
constexpr SheetRow kPlesseyRows[] = {
    OptionRow{F::enable_plessey, "%s", enable(114, 115)},
    OptionRow{F::convert_to_uk_plessey, "Cvt. to UK Plessey %s", on(165, 166), kIfEnabled},
    OptionRow{F::plessey_transmit_checksum, "Checksum TRX %s", on(163, 164), kIfEnabled},
};
// PDF 417 has no enable bit: its strings are always written when they differ.
constexpr SheetRow kPdf417Rows[] = {
    KeyStringRow{K::pdf417_escape_character, 405, "Escape Character"},
    KeyStringRow{K::pdf417_prefix_code, 352, "Prefix Code"},
    KeyStringRow{K::pdf417_suffix_code, 353, "Suffix Code"},
};

constexpr SheetRow kLengthCodeRows[] = {
    OptionRow{F::length_code_code_39, "%s Code 39", enable(224, 225)},
    OptionRow{F::length_code_italian_pharmacode, "%s Italian Phar.", enable(226, 227)},
    OptionRow{F::length_code_french_pharmacode, "%s French Phar.", enable(228, 229)},
    OptionRow{F::length_code_industrial_25, "%s Industrial 25", enable(230, 231)},
    OptionRow{F::length_code_interleave_25, "%s Interleave 25", enable(232, 233)},
    OptionRow{F::length_code_matrix_25, "%s Matrix 25", enable(234, 235)},
    OptionRow{F::length_code_codabar, "%s Codabar", enable(236, 237)},
    OptionRow{F::length_code_code_93, "%s Code 93", enable(238, 239)},
    OptionRow{F::length_code_code_128, "%s Code 128", enable(240, 241)},
    OptionRow{F::length_code_ean_128, "%s EAN 128", enable(299, 300)},
    OptionRow{F::length_code_upce, "%s UPCE", enable(242, 243)},
    OptionRow{F::length_code_ean_8, "%s EAN 8", enable(244, 245)},
    OptionRow{F::length_code_ean_13, "%s EAN 13", enable(246, 247)},
    OptionRow{F::length_code_upca, "%s UPCA", enable(289, 290)},
    OptionRow{F::length_code_msi, "%s MSI", enable(248, 249)},
    OptionRow{F::length_code_plessey, "%s Plessey", enable(250, 251)},
    OptionRow{F::length_code_pdf417, "%s PDF 417", enable(403, 404)},
};

constexpr const char* kInterfaceHeading = "\r\n\r\nInterface Settings\r\n";

constexpr SheetSection kScannerSection = {"\r\n\r\nScanner Settings\r\n", kScannerRows};

// What enables a symbology's section (kIfEnabled).
constexpr std::span<const Field> enabled_by(Symbology symbology) {
    return symbology_info(symbology).enables;
}

// The sections between the interface and the 2-of-5 symbologies, and after those, in the order
// they are written.
constexpr SheetSection kSectionsBeforeTwoOfFive[] = {
    {"\r\n\r\nPrefix / Suffix Settings\r\n", kPrefixSuffixRows},
    {"\r\n\r\nCode 39 Settings\r\n", kCode39Rows, enabled_by(Symbology::code_39)},
    {"\r\n\r\nItalian Pharmacode Settings\r\n", kItalianPharmacodeRows,
     enabled_by(Symbology::italian_pharmacode)},
    {"\r\n\r\nFrench Pharmacode Settings\r\n", kFrenchPharmacodeRows,
     enabled_by(Symbology::french_pharmacode)},
};
constexpr SheetSection kSectionsAfterTwoOfFive[] = {
    {"\r\n\r\nCodabar Settings\r\n", kCodabarRows, enabled_by(Symbology::codabar)},
    {"\r\n\r\nCode 93 Settings\r\n", kCode93Rows},
    {"\r\n\r\nCode 128 Settings\r\n", kCode128Rows},
    {"\r\n\r\nEAN 128 Settings\r\n", kEan128Rows, enabled_by(Symbology::ean_128)},
    {"\r\n\r\nUPCE Settings\r\n", kUpceRows, enabled_by(Symbology::upce)},
    {"\r\n\r\nEAN 8 Settings\r\n", kEan8Rows, enabled_by(Symbology::ean_8)},
    {"\r\n\r\nEAN 13 Settings\r\n", kEan13Rows, enabled_by(Symbology::ean_13)},
    {"\r\n\r\nUPCA Settings\r\n", kUpcaRows, enabled_by(Symbology::upca)},
    {"\r\n\r\nMSI Settings\r\n", kMsiRows, enabled_by(Symbology::msi)},
    {"\r\n\r\nPlessey Settings\r\n", kPlesseyRows, enabled_by(Symbology::plessey)},
    {"\r\n\r\nPDF 417 Settings\r\n", kPdf417Rows},
    {"\r\n\r\nLength Code Settings\r\n", kLengthCodeRows},
};

// A one-bit option of a 2-of-5 symbology, its caption ON / OFF unless given other words.
constexpr Coding coded(ToggleCodes codes, TextList words = kOnTextList) {
    return toggle(codes.code_1, codes.code_0, words);
}

// A 2-of-5 symbology's rows: the captions all three share, with its own fields and codes.
std::vector<SheetRow> two_of_five_rows(const TwoOfFive& options) {
    const TwoOfFiveCodes& codes = options.codes;
    const LengthFields& lengths = options.lengths;
    std::vector<SheetRow> rows = {
        OptionRow{enabled_by(options.symbology).front(), "%s",
                  coded(codes.enable, kEnableTextList)},
        OptionRow{options.start_stop_selection, "Start / Stop:%s",
                  list(codes.start_stop, kStartStops), kIfEnabled},
        OptionRow{options.verify_checksum, "Checksum Verify %s", coded(codes.verify_checksum),
                  kIfEnabled},
        OptionRow{options.transmit_checksum, "Checksum TRX %s", coded(codes.transmit_checksum),
                  kIfEnabled},
    };
    if (options.transmit_first_0 != Field::count) {
        rows.push_back(OptionRow{options.transmit_first_0, "Transmit First 0 %s",
                                 coded(codes.transmit_first_0), kIfEnabled});
    }
    rows.push_back(
        OptionRow{lengths.mode, "%s", coded(codes.length_mode, kLengthQualifications), kIfEnabled});
    rows.push_back(
        LengthRow{lengths.first, lengths.mode, codes.length_1, "Max Length", "Fixed Length 1"});
    rows.push_back(
        LengthRow{lengths.second, lengths.mode, codes.length_2, "Min Length", "Fixed Length 2"});
    return rows;
}

// The interface of the record's keyboard type, not of the interface class the pages keep.
SheetSection interface_section(unsigned keyboard_type) {
    switch (keyboard_type) {
        case kKeyboardTypeWand:
            return {kInterfaceHeading, kWandRows};
        case kKeyboardTypeRs232:
            return {kInterfaceHeading, kRs232Rows};
        default:
            return {"\r\n\r\nInterface Settings : Keyboard Wedge\r\n", kKeyboardWedgeRows};
    }
}

}  // namespace

void write_reader_sections(SheetWriter& writer, const SheetSource& source) {
    write_section(writer, source, kScannerSection);
    write_section(writer, source, interface_section(source.record.get(Field::keyboard_type)));
    for (const SheetSection& section : kSectionsBeforeTwoOfFive) {
        write_section(writer, source, section);
    }
    for (const TwoOfFive& options : kTwoOfFive) {
        const std::string heading =
            std::string("\r\n\r\n") + symbology_info(options.symbology).name + " Settings\r\n";
        const std::vector<SheetRow> rows = two_of_five_rows(options);
        write_section(writer, source, {heading.c_str(), rows, enabled_by(options.symbology)});
    }
    for (const SheetSection& section : kSectionsAfterTwoOfFive) {
        write_section(writer, source, section);
    }
}

}  // namespace tessmar
