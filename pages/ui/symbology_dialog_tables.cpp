// The tables of the fifteen symbology parameter dialogs: each control with the field it edits.
#include "pages/ui/symbology_dialogs.h"
#include "resources/resource.h"

namespace tessmar {
namespace {

using F = Field;
using S = Symbology;

constexpr FieldBinding kCode39[] = {
    bind::check_box(IDC_CODE39_FULL_ASCII, F::code_39_full_ascii),
    bind::check_box(IDC_CODE39_TRANSMIT_START_STOP, F::code_39_transmit_start_stop),
    bind::check_box(IDC_CODE39_VERIFY_CHECKSUM, F::code_39_verify_checksum),
    bind::check_box(IDC_CODE39_TRANSMIT_CHECKSUM, F::code_39_transmit_checksum),
};

constexpr FieldBinding kItalianPharmacode[] = {
    bind::check_box(IDC_PHARMACODE_TRANSMIT_CHECKSUM, F::italian_pharmacode_transmit_checksum),
};

constexpr FieldBinding kFrenchPharmacode[] = {
    bind::check_box(IDC_PHARMACODE_TRANSMIT_CHECKSUM, F::french_pharmacode_transmit_checksum),
};

// Industrial 25, Interleave 25 and Matrix 25 share one layout.
constexpr FieldBinding kIndustrial25[] = {
    bind::radios(IDC_25_START_STOP_FIRST, 3, F::industrial_25_start_stop_selection),
    bind::check_box(IDC_25_VERIFY_CHECKSUM, F::industrial_25_verify_checksum),
    bind::check_box(IDC_25_TRANSMIT_CHECKSUM, F::industrial_25_transmit_checksum),
    bind::length_pair(IDC_25_FIXED_LENGTH, length_fields::industrial_25),
};

constexpr FieldBinding kInterleave25[] = {
    bind::radios(IDC_25_START_STOP_FIRST, 3, F::interleave_25_start_stop_selection),
    bind::check_box(IDC_25_VERIFY_CHECKSUM, F::interleave_25_verify_checksum),
    bind::check_box(IDC_25_TRANSMIT_CHECKSUM, F::interleave_25_transmit_checksum),
    bind::check_box(IDC_25_TRANSMIT_FIRST_0, F::interleave_25_transmit_first_0),
    bind::length_pair(IDC_25_FIXED_LENGTH, length_fields::interleave_25),
};

constexpr FieldBinding kMatrix25[] = {
    bind::radios(IDC_25_START_STOP_FIRST, 3, F::matrix_25_start_stop_selection),
    bind::check_box(IDC_25_VERIFY_CHECKSUM, F::matrix_25_verify_checksum),
    bind::check_box(IDC_25_TRANSMIT_CHECKSUM, F::matrix_25_transmit_checksum),
    bind::length_pair(IDC_25_FIXED_LENGTH, length_fields::matrix_25),
};

constexpr FieldBinding kCodabar[] = {
    bind::radios(IDC_CODABAR_START_STOP_FIRST, 4, F::codabar_start_stop_character),
    bind::check_box(IDC_CODABAR_TRANSMIT_START_STOP, F::codabar_transmit_start_stop),
    bind::check_box(IDC_CODABAR_CLSI_CONVERSION, F::codabar_clsi_conversion),
};

constexpr FieldBinding kUpce[] = {
    bind::check_box(IDC_NO_ADDON, F::upce_no_addon),
    bind::check_box(IDC_ADDON_2, F::upce_addon_2),
    bind::check_box(IDC_ADDON_5, F::upce_addon_5),
    bind::check_box(IDC_UPCE_CONVERT_TO_UPCA, F::upce_convert_to_upca),
    bind::check_box(IDC_UPCE_TRANSMIT_CHECKSUM, F::upce_transmit_checksum),
    bind::check_box(IDC_UPCE_TRANSMIT_SYSTEM_NUMBER, F::upce_transmit_system_number),
    bind::radios(IDC_UPCE_SYSTEM_NUMBER_FIRST, 2, F::upce_system_number),
};

constexpr FieldBinding kEan8[] = {
    bind::check_box(IDC_NO_ADDON, F::ean_8_no_addon),
    bind::check_box(IDC_ADDON_2, F::ean_8_addon_2),
    bind::check_box(IDC_ADDON_5, F::ean_8_addon_5),
    bind::check_box(IDC_EAN8_CONVERT_TO_EAN13, F::ean_8_convert_to_ean_13),
    bind::check_box(IDC_EAN8_TRANSMIT_CHECKSUM, F::ean_8_transmit_checksum),
};

constexpr FieldBinding kEan13[] = {
    bind::check_box(IDC_NO_ADDON, F::ean_13_no_addon),
    bind::check_box(IDC_ADDON_2, F::ean_13_addon_2),
    bind::check_box(IDC_ADDON_5, F::ean_13_addon_5),
    bind::check_box(IDC_EAN13_ISBN_CONVERSION, F::isbn_conversion),
    bind::check_box(IDC_EAN13_ISSN_CONVERSION, F::issn_conversion),
    bind::check_box(IDC_EAN13_TRANSMIT_CHECKSUM, F::ean_13_transmit_checksum),
};

constexpr FieldBinding kUpca[] = {
    bind::check_box(IDC_NO_ADDON, F::upca_no_addon),
    bind::check_box(IDC_ADDON_2, F::upca_addon_2),
    bind::check_box(IDC_ADDON_5, F::upca_addon_5),
    bind::check_box(IDC_UPCA_CONVERT_TO_EAN13, F::upca_convert_to_ean_13),
    bind::check_box(IDC_UPCA_TRANSMIT_CHECKSUM, F::upca_transmit_checksum),
    bind::check_box(IDC_UPCA_TRANSMIT_SYSTEM_NUMBER, F::upca_transmit_system_number),
};

constexpr FieldBinding kMsi[] = {
    bind::radios(IDC_MSI_VERIFICATION_FIRST, 3, F::msi_checksum_verification),
    bind::radios(IDC_MSI_TRANSMISSION_FIRST, 3, F::msi_checksum_transmission),
    bind::length_pair(IDC_MSI_FIXED_LENGTH, length_fields::msi),
};

constexpr FieldBinding kPlessey[] = {
    bind::check_box(IDC_PLESSEY_CONVERT_TO_UK, F::convert_to_uk_plessey),
    bind::check_box(IDC_PLESSEY_TRANSMIT_CHECKSUM, F::plessey_transmit_checksum),
};

constexpr KeyBoxSpec kEan128KeyBoxes[] = {
    bind::key_box(IDC_FIELD_SEPARATOR, KeySlot::field_separator),
};

constexpr KeyBoxSpec kPdf417KeyBoxes[] = {
    bind::key_box(IDC_PDF417_ESCAPE_CHARACTER, KeySlot::pdf417_escape_character),
    bind::key_box(IDC_PDF417_PREFIX_CODE, KeySlot::pdf417_prefix_code),
    bind::key_box(IDC_PDF417_SUFFIX_CODE, KeySlot::pdf417_suffix_code),
};

constexpr SymbologyDialog kDialogs[] = {
    {S::code_39, {kCode39}},
    {S::italian_pharmacode, {kItalianPharmacode}},
    {S::french_pharmacode, {kFrenchPharmacode}},
    {S::industrial_25, {kIndustrial25}},
    {S::interleave_25, {kInterleave25}},
    {S::matrix_25, {kMatrix25}},
    {S::codabar, {kCodabar}},
    {S::ean_128, {.key_boxes = kEan128KeyBoxes}},
    {S::upce, {kUpce}},
    {S::ean_8, {kEan8}},
    {S::ean_13, {kEan13}},
    {S::upca, {kUpca}},
    {S::msi, {kMsi}},
    {S::plessey, {kPlessey}},
    {S::pdf417, {.key_boxes = kPdf417KeyBoxes}},
};

}  // namespace

std::span<const SymbologyDialog> symbology_dialogs() {
    return kDialogs;
}

}  // namespace tessmar
