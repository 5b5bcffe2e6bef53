// The codes of the scanner, interface, prefix / suffix, symbology and length-code sections: every
// row, and the conditions that keep rows off the sheet.
#include <gtest/gtest.h>

#include "tests/core/sheet_test_support.h"

namespace tessmar::test {
namespace {

using F = Field;

struct Setting {
    Field field;
    unsigned value;
};

// The record's `field` holds `value` and the snapshot another value, so the row is due;
// `given` holds in both, so it writes nothing itself.
struct RowCase {
    Field field;
    unsigned value;
    const char* tokens;
    std::vector<Setting> given = {};
};

std::string row_tokens(const RowCase& c) {
    ProgramState state = factory_state();
    for (const Setting& s : c.given) {
        state.record.set(s.field, s.value);
        state.defaults_snapshot.set(s.field, s.value);
    }
    state.record.set(c.field, c.value);
    state.defaults_snapshot.set(c.field, c.value == 0 ? 1 : 0);
    return tokens_of(state);
}

void expect_rows(std::initializer_list<RowCase> cases) {
    for (const RowCase& c : cases) {
        EXPECT_EQ(row_tokens(c), c.tokens)
            << "field " << static_cast<int>(c.field) << " value " << c.value;
    }
}

const std::vector<Setting> kWand = {{F::keyboard_type, 150}};
const std::vector<Setting> kRs232 = {{F::keyboard_type, 0}};

TEST(SheetScannerSection, Rows) {
    expect_rows({
        {F::scan_mode, 0, "0066<Auto Off Mode>"},
        {F::scan_mode, 2, "0068<Auto Power Off Mode>"},
        {F::scan_mode, 7, "0073<Testing Mode>"},
        {F::read_redundancy, 1, "0202<Redundancy:2 times>"},
        {F::read_redundancy, 3, "0204<Redundancy:4 times>"},
        {F::delay_between_reread, 0, "0336<Reread Delay:100 ms>"},
        {F::delay_between_reread, 7, "0343<Reread Delay:5 sec>"},
        {F::scanner_timeout, 0, "0207<Scanner Timeout>9900<0x00>9994<Validate>"},
        {F::disable_buzzer, 1, "0319<Disable Buzzer>"},
        {F::disable_buzzer, 0, "0318<Enable Buzzer>"},
        {F::buzzer_frequency, 0, "0046<Frequency:8 khz>"},
        {F::buzzer_frequency, 3, "0049<Frequency:1 khz>"},
        {F::transmit_buffer, 1, "0386<Enable TRX. Buffer>"},
        {F::transmit_buffer, 0, "0387<Disable TRX. Buffer>"},
        {F::transmission_delay, 7, "0351<Delay:2 sec>", {{F::transmit_buffer, 1}}},
        {F::transmission_delay, 1, "0345<Delay:100 ms>", {{F::transmit_buffer, 1}}},
        {F::memory_scanner, 1, "0321<Enable Memory>"},
        {F::memory_scanner, 0, "0320<Disable Memory>"},
        {F::memory_scanner_data_delay, 7, "0329<Data Delay:8 sec>", {{F::memory_scanner, 1}}},
        {F::memory_scanner_data_delay, 0, "0322<Data Delay:0 sec>", {{F::memory_scanner, 1}}},
        {F::read_negative_barcode, 1, "0199<Enable Negative Barcode>"},
        {F::read_negative_barcode, 0, "0200<Disable Negative Barcode>"},
    });
}

TEST(SheetScannerSection, DependentRowsNeedTheirMaster) {
    ProgramState state = factory_state();
    state.record.set(F::disable_buzzer, 1);
    state.record.set(F::buzzer_frequency, 0);
    state.record.set(F::transmission_delay, 5);         // the transmit buffer is off
    state.record.set(F::memory_scanner_data_delay, 4);  // the memory scanner is off
    EXPECT_EQ(tokens_of(state), "0319<Disable Buzzer>");
}

TEST(SheetInterfaceSection, WandEmulationRows) {
    expect_rows({
        {F::margin_time, 0, "0370<Margin Time:5 ms>", kWand},
        {F::margin_time, 7, "0377<Margin Time:100 ms>", kWand},
        {F::module_time, 3, "0365<Module Time:1.5 ms>", kWand},
        {F::module_time, 7, "0369<Module Time:5 ms>", kWand},
        {F::normal_state, 1, "0302<Normal Status:High>", kWand},
        {F::normal_state, 0, "0303<Normal Status:Low>", kWand},
        {F::bar_state, 1, "0304<Bar Status:High>", kWand},
        {F::bar_state, 0, "0305<Bar Status:Low>", kWand},
        {F::pdf417_block_delay, 0, "0378<PDF 417 Block Delay:50 ms>", kWand},
        {F::pdf417_block_delay, 6, "0384<PDF 417 Block Delay:1.5 sec>", kWand},
    });
}

TEST(SheetInterfaceSection, Rs232Rows) {
    expect_rows({
        {F::transmission_mode, 1, "0039<Dual Port, Both Ends>", kRs232},
        {F::transmission_mode, 3, "0041<Dual Port, Male End>", kRs232},
        {F::baud_rate, 0, "0016<Baud Rate:38400 bps>", kRs232},
        {F::baud_rate, 7, "0023<Baud Rate:300 bps>", kRs232},
        {F::parity, 2, "0030<Parity:Odd>", kRs232},
        {F::parity, 0, "0028<Parity:None>", kRs232},
        {F::data_bit, 0, "0035<Data Bit:7 bits>", kRs232},
        {F::data_bit, 1, "0034<Data Bit:8 bits>", kRs232},
        {F::flow_control, 3, "0045<INV. Data Ready>", kRs232},
        {F::flow_control, 0, "0042<None>", kRs232},
        {F::inter_character_delay, 10,
         "0015<Inter-Character Delay>9901<0x01>9900<0x00>9994<Validate>", kRs232},
    });
}

TEST(SheetInterfaceSection, KeyboardWedgeRows) {
    expect_rows({
        {F::keyboard_type, 3, "0000<PCAT German>9903<0x03>9994<Validate>"},
        {F::keyboard_type, 20, "0000<PS55 002-1,003-1>9902<0x02>9900<0x00>9994<Validate>"},
        {F::keyboard_type, 28, "0000<IBM 34XX/319X...>9902<0x02>9908<0x08>9994<Validate>"},
        {F::alphabets_transmission, 1, "0005<Ignore Case>"},
        {F::alphabets_transmission, 0, "0006<Case Sensitive>"},
        {F::capital_lock_type, 3, "0011<Shift Lock>"},
        {F::capital_lock_type, 2, "0012<Capital Lock>"},
        {F::capital_lock_type, 1, "0010<Normal>"},
        {F::capital_lock_type, 0, "0010<Normal>"},
        {F::alphabets_layout, 1, "0313<AZERTY>"},
        {F::alphabets_layout, 2, "0314<QWERTZ>"},
        {F::alphabets_layout, 0, "0312<Normal>"},
        {F::capital_lock_auto_detection, 1, "0002<Auto Dection ON>"},
        {F::capital_lock_auto_detection, 0, "0001<Auto Dection OFF>"},
        {F::alternate_composing, 1, "0335<Enable Alt Composing>"},
        {F::alternate_composing, 0, "0334<Disable Alt Composing>"},
        {F::digits_transmission, 1, "0013<Numeric Key Pad>"},
        {F::digits_transmission, 0, "0014<Alpha Numeric Key Pad>"},
        {F::capital_lock_state, 1, "0003<Capital Lock ON>"},
        {F::capital_lock_state, 0, "0004<Capital Lock OFF>"},
        {F::digits_layout, 3, "0008<Upper Row>"},
        {F::digits_layout, 2, "0009<Lower Row>"},
        {F::digits_layout, 1, "0007<Normal>"},
        {F::inter_character_delay, 9, "0015<Inter-Character Delay>9909<0x09>9994<Validate>"},
        {F::laptop_support, 1, "0389<Enable Laptop Support>"},
        {F::laptop_support, 0, "0388<Disable Laptop Support>"},
    });
}

// One interface section, chosen by the record's keyboard type; the other interfaces' fields
// write nothing, whatever they hold.
TEST(SheetInterfaceSection, OnlyTheRecordsInterfaceIsWritten) {
    ProgramState state = factory_state();
    state.record.set(F::keyboard_type, 0);
    state.record.set(F::laptop_support, 1);
    state.record.set(F::margin_time, 7);
    EXPECT_EQ(run_sheet(state).text, std::string(kSheetHead) +
                                         "\r\n\r\nInterface Settings\r\n0001<RS232 Interface>" +
                                         kSheetEnd);

    state.record.set(F::keyboard_type, 150);
    EXPECT_EQ(run_sheet(state).text, std::string(kSheetHead) +
                                         "\r\n\r\nInterface Settings\r\n0306<Wand Emulation>"
                                         "0377<Margin Time:100 ms>" +
                                         kSheetEnd);

    state.record.set(F::keyboard_type, 2);
    EXPECT_EQ(run_sheet(state).text,
              std::string(kSheetHead) +
                  "\r\n\r\nInterface Settings : Keyboard Wedge\r\n"
                  "0000<PCAT French>9902<0x02>9994<Validate>0389<Enable Laptop Support>" +
                  kSheetEnd);
}

TEST(SheetInterfaceSection, FlowControlOnlyInSinglePortMode) {
    ProgramState state = factory_state();
    state.record.set(F::keyboard_type, 0);
    state.record.set(F::flow_control, 1);
    state.record.set(F::transmission_mode, 2);
    EXPECT_EQ(tokens_of(state), "0001<RS232 Interface>0040<Dual Port, Female End>");
    state.record.set(F::transmission_mode, 0);
    EXPECT_EQ(tokens_of(state), "0001<RS232 Interface>0043<Scanner Ready>");
}

// A value that no list names has no code of its own: whatever code it would take names another
// setting, so it writes nothing.
TEST(SheetReaderSections, ValuesWithoutAWordWriteNothing) {
    const RowCase cases[] = {
        {F::scan_mode, 8, ""},
        {F::scan_mode, 15, ""},
        {F::parity, 3, "", kRs232},
        {F::alphabets_layout, 3, ""},
        {F::keyboard_type, 29, ""},
        {F::keyboard_type, 149, ""},
        {F::keyboard_type, 255, ""},
        {F::industrial_25_start_stop_selection, 3, ""},
        {F::msi_checksum_verification, 3, "", {{F::enable_msi, 1}}},
        {F::msi_checksum_transmission, 3, "", {{F::enable_msi, 1}}},
    };
    for (const RowCase& c : cases) {
        EXPECT_EQ(row_tokens(c), "") << "field " << static_cast<int>(c.field);
    }
}

TEST(SheetPrefixSuffixSection, PrefixAndSuffix) {
    ProgramState state = factory_state();
    put_key_string(state.record.key_string(KeySlot::prefix_code), {0x02});
    put_key_string(state.record.key_string(KeySlot::suffix_code), {});
    const SheetRun run = run_sheet(state);
    EXPECT_EQ(run.text, std::string(kSheetHead) +
                            "\r\n\r\nPrefix / Suffix Settings\r\n"
                            "0273<Prefix Code>9900<0x00>9902<0x02>9994<Validate>"
                            "0274<Suffix Code>9994<Validate>" +
                            kSheetEnd);
}

const std::vector<Setting> kMsi = {{F::enable_msi, 1}};
const std::vector<Setting> kPlessey = {{F::enable_plessey, 1}};
const std::vector<Setting> kMatrix = {{F::enable_matrix_25, 1}};
const std::vector<Setting> kEan128 = {{F::enable_ean_128, 1}};

TEST(SheetSymbologySections, EnableRows) {
    expect_rows({
        {F::enable_code_39, 1, "0074<Enable>"},
        {F::enable_code_39, 0, "0075<Disable>"},
        {F::enable_italian_pharmacode, 1, "0076<Enable>"},
        {F::enable_italian_pharmacode, 0, "0077<Disable>"},
        {F::enable_french_pharmacode, 1, "0078<Enable>"},
        {F::enable_french_pharmacode, 0, "0079<Disable>"},
        {F::enable_industrial_25, 1, "0080<Enable>"},
        {F::enable_industrial_25, 0, "0081<Disable>"},
        {F::enable_interleave_25, 1, "0082<Enable>"},
        {F::enable_interleave_25, 0, "0083<Disable>"},
        {F::enable_matrix_25, 1, "0084<Enable>"},
        {F::enable_matrix_25, 0, "0085<Disable>"},
        {F::enable_codabar, 1, "0086<Enable>"},
        {F::enable_codabar, 0, "0087<Disable>"},
        {F::enable_code_93, 1, "0088<Enable>"},
        {F::enable_code_93, 0, "0089<Disable>"},
        {F::enable_code_128, 1, "0090<Enable>"},
        {F::enable_code_128, 0, "0091<Disable>"},
        {F::enable_ean_128, 1, "0104<Enable>"},
        {F::enable_ean_128, 0, "0105<Disable>"},
        {F::upce_no_addon, 1, "0092<Enable No Addon>"},
        {F::upce_no_addon, 0, "0093<Disable No Addon>"},
        {F::upce_addon_2, 1, "0094<Enable Addon 2>"},
        {F::upce_addon_5, 0, "0097<Disable Addon 5>"},
        {F::ean_8_no_addon, 0, "0099<Disable No Addon>"},
        {F::ean_8_addon_2, 1, "0100<Enable Addon 2>"},
        {F::ean_8_addon_5, 1, "0102<Enable Addon 5>"},
        {F::ean_13_no_addon, 0, "0107<Disable No Addon>"},
        {F::ean_13_addon_2, 1, "0108<Enable Addon 2>"},
        {F::ean_13_addon_5, 0, "0111<Disable Addon 5>"},
        {F::upca_no_addon, 1, "0291<Enable No Addon>"},
        {F::upca_no_addon, 0, "0292<Disable No Addon>"},
        {F::upca_addon_2, 0, "0294<Disable Addon 2>"},
        {F::upca_addon_5, 1, "0295<Enable Addon 5>"},
        {F::enable_msi, 1, "0112<Enable>"},
        {F::enable_msi, 0, "0113<Disable>"},
        {F::enable_plessey, 1, "0114<Enable>"},
        {F::enable_plessey, 0, "0115<Disable>"},
    });
}

TEST(SheetSymbologySections, OptionRows) {
    expect_rows({
        {F::code_39_full_ascii, 1, "0122<Full ASCII ON>"},
        {F::code_39_full_ascii, 0, "0123<Full ASCII OFF>"},
        {F::code_39_transmit_start_stop, 1, "0116<Start / Stop TRX ON>"},
        {F::code_39_verify_checksum, 0, "0119<Checksum Verify OFF>"},
        {F::code_39_transmit_checksum, 1, "0120<Checksum TRX ON>"},
        {F::italian_pharmacode_transmit_checksum,
         0,
         "0127<Checksum TRX OFF>",
         {{F::enable_italian_pharmacode, 1}}},
        {F::french_pharmacode_transmit_checksum,
         1,
         "0128<Checksum TRX ON>",
         {{F::enable_french_pharmacode, 1}}},
        {F::industrial_25_start_stop_selection, 2, "0132<Start / Stop:Matrix 25>"},
        {F::industrial_25_verify_checksum, 1, "0139<Checksum Verify ON>"},
        {F::industrial_25_transmit_checksum, 0, "0142<Checksum TRX OFF>"},
        {F::interleave_25_start_stop_selection, 0, "0133<Start / Stop:IND. 25>"},
        {F::interleave_25_verify_checksum, 0, "0144<Checksum Verify OFF>"},
        {F::interleave_25_transmit_checksum, 1, "0145<Checksum TRX ON>"},
        {F::interleave_25_transmit_first_0, 1, "0206<Transmit First 0 ON>"},
        {F::interleave_25_transmit_first_0, 0, "0205<Transmit First 0 OFF>"},
        {F::matrix_25_start_stop_selection, 1, "0137<Start / Stop:INT. 25>", kMatrix},
        {F::matrix_25_verify_checksum, 1, "0147<Checksum Verify ON>", kMatrix},
        {F::matrix_25_transmit_checksum, 0, "0150<Checksum TRX OFF>", kMatrix},
        {F::codabar_start_stop_character, 3, "0154<ABCD / TN*E>"},
        {F::codabar_start_stop_character, 0, "0151<abcd / abcd>"},
        {F::codabar_transmit_start_stop, 1, "0155<Start / Stop TRX ON>"},
        {F::codabar_clsi_conversion, 0, "0158<CLSI Convert OFF>"},
        {F::upce_convert_to_upca, 1, "0175<Cvt. to UPCA ON>"},
        {F::upce_transmit_checksum, 0, "0184<Checksum TRX OFF>"},
        {F::upce_transmit_system_number, 1, "0191<System No. TRX ON>"},
        {F::upce_system_number, 1, "0287<System Number 0 and 1>"},
        {F::upce_system_number, 0, "0288<System Number 0 only>"},
        {F::ean_8_convert_to_ean_13, 1, "0195<Cvt. to EAN 13 ON>"},
        {F::ean_8_transmit_checksum, 0, "0188<Checksum TRX OFF>"},
        {F::isbn_conversion, 1, "0179<ISBN Convert ON>"},
        {F::issn_conversion, 0, "0182<ISSN Convert OFF>"},
        {F::ean_13_transmit_checksum, 1, "0189<Checksum TRX ON>"},
        {F::upca_convert_to_ean_13, 0, "0178<Cvt. to EAN 13 OFF>"},
        {F::upca_transmit_checksum, 1, "0185<Checksum TRX ON>"},
        {F::upca_transmit_system_number, 0, "0194<System No. TRX OFF>"},
        {F::msi_checksum_verification, 2, "0169<Modulo 11 && 10>", kMsi},
        {F::msi_checksum_verification, 0, "0167<Single Modulo 10>", kMsi},
        {F::msi_checksum_transmission, 2, "0172<Last 2 digits not trx>", kMsi},
        {F::msi_checksum_transmission, 0, "0170<Last digit not trx>", kMsi},
        {F::convert_to_uk_plessey, 1, "0165<Cvt. to UK Plessey ON>", kPlessey},
        {F::plessey_transmit_checksum, 0, "0164<Checksum TRX OFF>", kPlessey},
    });
}

TEST(SheetSymbologySections, LengthQualificationRows) {
    expect_rows({
        {F::industrial_25_length_mode, 0, "0209<Fixed Length Qual.>"},
        {F::industrial_25_length_mode, 1, "0208<Max / Min Length Qual.>"},
        {F::industrial_25_length_1, 60, "0210<Max Length>9906<0x06>9900<0x00>9994<Validate>"},
        {F::industrial_25_length_2, 8, "0211<Min Length>9908<0x08>9994<Validate>"},
        {F::interleave_25_length_mode, 0, "0213<Fixed Length Qual.>"},
        {F::interleave_25_length_1, 12, "0214<Max Length>9901<0x01>9902<0x02>9994<Validate>"},
        {F::interleave_25_length_2, 0, "0215<Min Length>9900<0x00>9994<Validate>"},
        {F::matrix_25_length_mode, 1, "0216<Max / Min Length Qual.>", kMatrix},
        {F::matrix_25_length_1, 7, "0218<Max Length>9907<0x07>9994<Validate>", kMatrix},
        {F::matrix_25_length_2, 9, "0219<Min Length>9909<0x09>9994<Validate>", kMatrix},
        {F::msi_length_mode, 0, "0221<Fixed Length Qual.>", kMsi},
        {F::msi_length_1, 5, "0222<Max Length>9905<0x05>9994<Validate>", kMsi},
        {F::msi_length_2, 6, "0223<Min Length>9906<0x06>9994<Validate>", kMsi},
    });
    // In fixed-length mode the lengths are named after it.
    ProgramState state = factory_state();
    state.record.set(F::industrial_25_length_mode, 0);
    state.record.set(F::industrial_25_length_1, 14);
    state.record.set(F::industrial_25_length_2, 20);
    EXPECT_EQ(tokens_of(state),
              "0209<Fixed Length Qual.>0210<Fixed Length 1>9901<0x01>9904<0x04>9994<Validate>"
              "0211<Fixed Length 2>9902<0x02>9900<0x00>9994<Validate>");
}

// A disabled symbology writes its disable token and nothing of its options; the UPC and EAN
// families count as enabled while any of their three variants is.
TEST(SheetSymbologySections, OptionsOnlyWhileEnabled) {
    ProgramState state = factory_state();
    state.record.set(F::enable_code_39, 0);
    state.record.set(F::code_39_full_ascii, 1);
    state.record.set(F::industrial_25_verify_checksum, 1);
    state.record.set(F::enable_industrial_25, 0);
    state.record.set(F::industrial_25_length_2, 9);
    state.record.set(F::codabar_clsi_conversion, 1);  // Codabar stays enabled
    EXPECT_EQ(tokens_of(state), "0075<Disable>0081<Disable>0157<CLSI Convert ON>");

    state = factory_state();
    state.record.set(F::upce_no_addon, 0);
    state.record.set(F::upce_convert_to_upca, 1);
    EXPECT_EQ(tokens_of(state), "0093<Disable No Addon>");
    state.record.set(F::upce_addon_5, 1);
    EXPECT_EQ(tokens_of(state), "0093<Disable No Addon>0096<Enable Addon 5>0175<Cvt. to UPCA ON>");
}

TEST(SheetSymbologySections, KeyStringRows) {
    ProgramState state = factory_state();
    put_key_string(state.record.key_string(KeySlot::field_separator), {0x1E});
    EXPECT_EQ(tokens_of(state), "");  // EAN 128 is disabled
    state.record.set(F::enable_ean_128, 1);
    EXPECT_EQ(tokens_of(state),
              "0104<Enable>0301<Field Separator>9901<0x01>9914<0x0E>9994<Validate>");

    state = factory_state();
    put_key_string(state.record.key_string(KeySlot::pdf417_escape_character), {0x7E});
    put_key_string(state.record.key_string(KeySlot::pdf417_prefix_code), {0x5B});
    put_key_string(state.record.key_string(KeySlot::pdf417_suffix_code), {});
    EXPECT_EQ(tokens_of(state),
              "0405<Escape Character>9907<0x07>9914<0x0E>9994<Validate>"
              "0352<Prefix Code>9905<0x05>9911<0x0B>9994<Validate>"
              "0353<Suffix Code>9994<Validate>");
}

TEST(SheetLengthCodeSection, Rows) {
    expect_rows({
        {F::length_code_code_39, 1, "0224<Enable Code 39>"},
        {F::length_code_code_39, 0, "0225<Disable Code 39>"},
        {F::length_code_italian_pharmacode, 1, "0226<Enable Italian Phar.>"},
        {F::length_code_french_pharmacode, 0, "0229<Disable French Phar.>"},
        {F::length_code_industrial_25, 1, "0230<Enable Industrial 25>"},
        {F::length_code_interleave_25, 0, "0233<Disable Interleave 25>"},
        {F::length_code_matrix_25, 1, "0234<Enable Matrix 25>"},
        {F::length_code_codabar, 0, "0237<Disable Codabar>"},
        {F::length_code_code_93, 1, "0238<Enable Code 93>"},
        {F::length_code_code_128, 0, "0241<Disable Code 128>"},
        {F::length_code_ean_128, 1, "0299<Enable EAN 128>"},
        {F::length_code_ean_128, 0, "0300<Disable EAN 128>"},
        {F::length_code_upce, 1, "0242<Enable UPCE>"},
        {F::length_code_ean_8, 0, "0245<Disable EAN 8>"},
        {F::length_code_ean_13, 1, "0246<Enable EAN 13>"},
        {F::length_code_upca, 1, "0289<Enable UPCA>"},
        {F::length_code_upca, 0, "0290<Disable UPCA>"},
        {F::length_code_msi, 0, "0249<Disable MSI>"},
        {F::length_code_plessey, 1, "0250<Enable Plessey>"},
        {F::length_code_pdf417, 1, "0403<Enable PDF 417>"},
        {F::length_code_pdf417, 0, "0404<Disable PDF 417>"},
    });
}

// Rows within a section come in the table's order, which is not the record's.
TEST(SheetLengthCodeSection, RowsInSheetOrder) {
    ProgramState state = factory_state();
    state.record.bytes[227] = 0xFF;
    state.record.bytes[228] = 0xFF;
    state.record.bytes[229] = 0x01;
    EXPECT_EQ(run_sheet(state).text,
              std::string(kSheetHead) +
                  "\r\n\r\nLength Code Settings\r\n"
                  "0224<Enable Code 39>0226<Enable Italian Phar.>0228<Enable French Phar.>"
                  "0230<Enable Industrial 25>0232<Enable Interleave 25>0234<Enable Matrix 25>"
                  "0236<Enable Codabar>0238<Enable Code 93>0240<Enable Code 128>"
                  "0299<Enable EAN 128>0242<Enable UPCE>0244<Enable EAN 8>0246<Enable EAN 13>"
                  "0289<Enable UPCA>0248<Enable MSI>0250<Enable Plessey>0403<Enable PDF 417>" +
                  kSheetEnd);
}

}  // namespace
}  // namespace tessmar::test
