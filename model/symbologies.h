// The seventeen symbologies the scanner decodes, and where each one lives in the record: what
// enables it, its length-code bit, its code-ID slot, its parameter dialog and its bits among an
// editing format's applicable code types. The summary tree, the sheet, the pages and the dialogs
// all index these tables instead of listing the symbologies again.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/fields.h"
#include "model/settings_record.h"

namespace tessmar {

// In the order the summary tree and the Length Code page list them.
enum class Symbology : std::uint8_t {
    code_39,
    italian_pharmacode,
    french_pharmacode,
    industrial_25,
    interleave_25,
    matrix_25,
    codabar,
    code_93,
    code_128,
    ean_128,
    upce,
    ean_8,
    ean_13,
    upca,
    msi,
    plessey,
    pdf417,
};
inline constexpr int kSymbologyCount = 17;

// The add-on variants of the four UPC and EAN families: no add-on, add-on 2, add-on 5.
inline constexpr Field kUpceVariants[] = {Field::upce_no_addon, Field::upce_addon_2,
                                          Field::upce_addon_5};
inline constexpr Field kEan8Variants[] = {Field::ean_8_no_addon, Field::ean_8_addon_2,
                                          Field::ean_8_addon_5};
inline constexpr Field kEan13Variants[] = {Field::ean_13_no_addon, Field::ean_13_addon_2,
                                           Field::ean_13_addon_5};
inline constexpr Field kUpcaVariants[] = {Field::upca_no_addon, Field::upca_addon_2,
                                          Field::upca_addon_5};

// PDF 417 has no enable bit: it counts as enabled while any of these strings is non-empty.
inline constexpr KeySlot kPdf417Strings[] = {
    KeySlot::pdf417_escape_character, KeySlot::pdf417_prefix_code, KeySlot::pdf417_suffix_code};

// A length qualification: bit 7 of its first byte is the mode (1 "Max / Min Length", 0 "Fixed
// Length"), the byte's low seven bits the first length and the whole next byte the second.
struct LengthFields {
    Field mode;
    Field first;
    Field second;
};

namespace length_fields {
inline constexpr LengthFields industrial_25 = {
    Field::industrial_25_length_mode, Field::industrial_25_length_1, Field::industrial_25_length_2};
inline constexpr LengthFields interleave_25 = {
    Field::interleave_25_length_mode, Field::interleave_25_length_1, Field::interleave_25_length_2};
inline constexpr LengthFields matrix_25 = {Field::matrix_25_length_mode, Field::matrix_25_length_1,
                                           Field::matrix_25_length_2};
inline constexpr LengthFields msi = {Field::msi_length_mode, Field::msi_length_1,
                                     Field::msi_length_2};
inline constexpr LengthFields all[] = {industrial_25, interleave_25, matrix_25, msi};
}  // namespace length_fields

struct SymbologyInfo {
    Symbology id;
    const char* name;
    const char* key;  // its table and its names in a settings text ("code_39")
    // Its enable bit, or each add-on variant of a UPC or EAN family, any of which enables it.
    // Empty for PDF 417 (see kPdf417Strings).
    std::span<const Field> enables;
    Field length_code;
    // EAN 128 has no code ID.
    bool has_code_id;
    KeySlot code_id;
    // The template of its parameter dialog; Code 93 and Code 128 have none.
    const char* parameter_dialog;
};

// The enable bits of the symbologies that have one of their own.
namespace enable_bit {
inline constexpr Field code_39[] = {Field::enable_code_39};
inline constexpr Field italian_pharmacode[] = {Field::enable_italian_pharmacode};
inline constexpr Field french_pharmacode[] = {Field::enable_french_pharmacode};
inline constexpr Field industrial_25[] = {Field::enable_industrial_25};
inline constexpr Field interleave_25[] = {Field::enable_interleave_25};
inline constexpr Field matrix_25[] = {Field::enable_matrix_25};
inline constexpr Field codabar[] = {Field::enable_codabar};
inline constexpr Field code_93[] = {Field::enable_code_93};
inline constexpr Field code_128[] = {Field::enable_code_128};
inline constexpr Field ean_128[] = {Field::enable_ean_128};
inline constexpr Field msi[] = {Field::enable_msi};
inline constexpr Field plessey[] = {Field::enable_plessey};
}  // namespace enable_bit

inline constexpr SymbologyInfo kSymbologies[kSymbologyCount] = {
    {Symbology::code_39, "Code 39", "code_39", enable_bit::code_39, Field::length_code_code_39,
     true, KeySlot::code_id_code_39, "CODE39DLG"},
    {Symbology::italian_pharmacode, "Italian Pharmacode", "italian_pharmacode",
     enable_bit::italian_pharmacode, Field::length_code_italian_pharmacode, true,
     KeySlot::code_id_italian_pharmacode, "ITALIANPHARMADLG"},
    {Symbology::french_pharmacode, "French Pharmacode", "french_pharmacode",
     enable_bit::french_pharmacode, Field::length_code_french_pharmacode, true,
     KeySlot::code_id_french_pharmacode, "FRENCHPHARMADLG"},
    {Symbology::industrial_25, "Industrial 25", "industrial_25", enable_bit::industrial_25,
     Field::length_code_industrial_25, true, KeySlot::code_id_industrial_25, "INDUSTRIAL25DLG"},
    {Symbology::interleave_25, "Interleave 25", "interleave_25", enable_bit::interleave_25,
     Field::length_code_interleave_25, true, KeySlot::code_id_interleave_25, "INTERLEAVE25DLG"},
    {Symbology::matrix_25, "Matrix 25", "matrix_25", enable_bit::matrix_25,
     Field::length_code_matrix_25, true, KeySlot::code_id_matrix_25, "MATRIX25DLG"},
    {Symbology::codabar, "Codabar", "codabar", enable_bit::codabar, Field::length_code_codabar,
     true, KeySlot::code_id_codabar, "CODABARDLG"},
    {Symbology::code_93, "Code 93", "code_93", enable_bit::code_93, Field::length_code_code_93,
     true, KeySlot::code_id_code_93, nullptr},
    {Symbology::code_128, "Code 128", "code_128", enable_bit::code_128, Field::length_code_code_128,
     true, KeySlot::code_id_code_128, nullptr},
    {Symbology::ean_128,
     "EAN 128",
     "ean_128",
     enable_bit::ean_128,
     Field::length_code_ean_128,
     false,
     {},
     "EAN128DLG"},
    {Symbology::upce, "UPCE", "upce", kUpceVariants, Field::length_code_upce, true,
     KeySlot::code_id_upce, "UPCEDLG"},
    {Symbology::ean_8, "EAN 8", "ean_8", kEan8Variants, Field::length_code_ean_8, true,
     KeySlot::code_id_ean_8, "EAN8DLG"},
    {Symbology::ean_13, "EAN 13", "ean_13", kEan13Variants, Field::length_code_ean_13, true,
     KeySlot::code_id_ean_13, "EAN13DLG"},
    {Symbology::upca, "UPCA", "upca", kUpcaVariants, Field::length_code_upca, true,
     KeySlot::code_id_upca, "UPCADLG"},
    {Symbology::msi, "MSI", "msi", enable_bit::msi, Field::length_code_msi, true,
     KeySlot::code_id_msi, "MSIDLG"},
    {Symbology::plessey, "Plessey", "plessey", enable_bit::plessey, Field::length_code_plessey,
     true, KeySlot::code_id_plessey, "PLESSEYDLG"},
    {Symbology::pdf417,
     "PDF 417",
     "pdf417",
     {},
     Field::length_code_pdf417,
     true,
     KeySlot::code_id_pdf417,
     "PDF417DLG"},
};

constexpr const SymbologyInfo& symbology_info(Symbology symbology) {
    return kSymbologies[static_cast<int>(symbology)];
}

// The sixteen symbologies that have a code ID, in the order the Code ID page, the summary tree,
// the sheet and `code_id_origin` list them: the table's order without EAN 128. (In the record
// itself the UPCA slot lies after MSI and Plessey.)
inline constexpr std::array<Symbology, kCodeIds> kCodeIdSymbologies = [] {
    std::array<Symbology, kCodeIds> listed{};
    std::size_t next = 0;
    for (const SymbologyInfo& info : kSymbologies) {
        if (info.has_code_id) {
            listed[next++] = info.id;
        }
    }
    return listed;
}();

// The code-ID slot of entry i of that order.
constexpr KeySlot code_id_slot(int entry) {
    return symbology_info(kCodeIdSymbologies[static_cast<std::size_t>(entry)]).code_id;
}

// One of the 25 code types an editing format can apply to. Bytes 0 to 2 of a format block have
// the bit layout of record bytes 0 to 2; bit 0 of byte 3 is PDF 417.
struct CodeType {
    Symbology symbology;
    const char* name;
    const char* key;  // its name in a settings text
    std::uint8_t byte;
    std::uint8_t bit;
    int setup_code;  // the sheet's, for a format that applies to it
    // The summary tree's line, where it is not "<name> : %s".
    const char* summary_pattern = nullptr;
};

// In the order the Applicable Conditions page, the summary tree and the sheet list them.
inline constexpr CodeType kCodeTypes[] = {
    {Symbology::code_39, "Code 39", "code_39", 0, 7, 500},
    {Symbology::italian_pharmacode, "Italian Pharmacode", "italian_pharmacode", 0, 6, 502},
    {Symbology::french_pharmacode, "French Pharmacode", "french_pharmacode", 0, 5, 504},
    {Symbology::industrial_25, "Industrial 25", "industrial_25", 0, 4, 506},
    {Symbology::interleave_25, "Interleave 25", "interleave_25", 0, 3, 508},
    {Symbology::matrix_25, "Matrix 25", "matrix_25", 0, 2, 510},
    {Symbology::codabar, "Codabar", "codabar", 0, 1, 512},
    {Symbology::code_93, "Code 93", "code_93", 0, 0, 514},
    {Symbology::code_128, "Code 128", "code_128", 1, 7, 516},
    {Symbology::ean_128, "EAN 128", "ean_128", 2, 0, 590},
    {Symbology::upce, "UPCE No Addon", "upce_no_addon", 1, 6, 518},
    {Symbology::upce, "UPCE Addon 2", "upce_addon_2", 1, 5, 520},
    {Symbology::upce, "UPCE Addon 5", "upce_addon_5", 1, 4, 522},
    {Symbology::ean_8, "EAN 8 No Addon", "ean_8_no_addon", 1, 3, 524},
    {Symbology::ean_8, "EAN 8 Addon 2", "ean_8_addon_2", 1, 2, 526},
    // The tree has always shown this one without a blank before its colon.
    {Symbology::ean_8, "EAN 8 Addon 5", "ean_8_addon_5", 1, 1, 528, "EAN 8 Addon 5: %s"},
    {Symbology::ean_13, "EAN 13 No Addon", "ean_13_no_addon", 1, 0, 532},
    {Symbology::ean_13, "EAN 13 Addon 2", "ean_13_addon_2", 2, 7, 534},
    {Symbology::ean_13, "EAN 13 Addon 5", "ean_13_addon_5", 2, 6, 536},
    {Symbology::upca, "UPCA No Addon", "upca_no_addon", 2, 3, 584},
    {Symbology::upca, "UPCA Addon 2", "upca_addon_2", 2, 2, 586},
    {Symbology::upca, "UPCA Addon 5", "upca_addon_5", 2, 1, 588},
    {Symbology::msi, "MSI", "msi", 2, 5, 538},
    {Symbology::plessey, "Plessey", "plessey", 2, 4, 540},
    {Symbology::pdf417, "PDF 417", "pdf417", 3, 0, 592},
};
inline constexpr int kCodeTypeCount = static_cast<int>(std::size(kCodeTypes));

// Whether the symbology is enabled in the record: its enable bit, any of its add-on variants, or
// for PDF 417 any of its strings.
bool symbology_enabled(const SettingsRecord& record, Symbology symbology);

// Whether the enable state is derived (the UPC and EAN families, PDF 417) rather than a bit of its
// own; only the symbology's parameter dialog can switch such a one on.
constexpr bool enable_is_derived(Symbology symbology) {
    return symbology_info(symbology).enables.size() != 1;
}

// Writes an enable check box into the record. A box of its own bit writes that bit. A derived one
// unchecked clears every add-on variant, or empties PDF 417's three strings (their first ten
// bytes). Checked, a UPC or EAN family that has no variant on gets its "No Addon" variant; one
// that has keeps its variants, and PDF 417 is left alone.
void write_symbology_enabled(SettingsRecord& record, Symbology symbology, bool checked);

}  // namespace tessmar
