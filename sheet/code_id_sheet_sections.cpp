// The Code ID, Data Substitution and Data Editing sections.
#include <string>

#include "model/code_id_presets.h"
#include "model/symbologies.h"
#include "model/key_string.h"
#include "sheet/sheet_rows.h"
#include "sheet/sheet_sections.h"
#include "sheet/sheet_tokens.h"

namespace tessmar {
namespace {

// The setup code of each code-ID entry, in the Code ID page's order.
constexpr int kCodeIdCodes[kCodeIds] = {256, 257, 258, 259, 260, 261, 262, 263,
                                        264, 265, 266, 267, 270, 268, 269, 402};

// A set number outside 1 to 5 (none is ever stored) counts as no set.
int valid_set(int set) {
    return set >= 1 && set <= kCodeIdPresetSets ? set : 0;
}

// Whether entry i must be written: whether it differs from what the scanner holds once the
// tokens before it are scanned. A set token puts its preset into every entry, so with a set chosen
// the entry is compared, as shown, with that preset; the whole text, so a preset with a key added
// still differs. With no set chosen the scanner holds its defaults, byte by byte. Where an entry
// came from does not matter: after a "Set n" or "Clear" that the sheet's Cancel dropped, the
// origins no longer tell what the record holds.
bool code_id_differs(const SheetSource& source, int set, int entry) {
    const KeySlot slot = code_id_slot(entry);
    const KeyString current = source.record.key_string(slot);
    if (set == 0) {
        return key_strings_differ(current, source.snapshot.key_string(slot));
    }
    return key_string_text(current, source.interface_class) != code_id_preset_text(set, entry);
}

constexpr SheetRow kDataEditingRows[] = {
    OptionRow{Field::editing_exclusive, "%s Exclusive", enable(279, 280)},
    OptionRow{Field::enable_editing_format_1, "%s Format 1", enable(281, 282)},
    OptionRow{Field::enable_editing_format_2, "%s Format 2", enable(283, 284)},
    OptionRow{Field::enable_editing_format_3, "%s Format 3", enable(285, 286)},
    OptionRow{Field::enable_editing_format_4, "%s Format 4", enable(354, 355)},
    OptionRow{Field::enable_editing_format_5, "%s Format 5", enable(356, 357)},
    OptionRow{Field::enable_editing_format_6, "%s Format 6", enable(358, 359)},
};

}  // namespace

void write_code_id_section(SheetWriter& writer, const SheetSource& source, int code_id_set) {
    writer.begin_section("\r\n\r\nCode ID Settings\r\n");
    const int set = valid_set(code_id_set);
    if (set != 0) {
        writer.write(setup_token(static_cast<unsigned>(9961 + set),
                                 numbered_caption("Set %d", static_cast<unsigned>(set))));
    }
    for (int entry = 0; entry < kCodeIds; ++entry) {
        if (!code_id_differs(source, set, entry)) {
            continue;
        }
        const KeyString slot = source.record.key_string(code_id_slot(entry));
        writer.write(setup_token(static_cast<unsigned>(kCodeIdCodes[entry]),
                                 symbology_info(kCodeIdSymbologies[entry]).name) +
                     key_string_tokens(slot, source.interface_class));
    }
}

// A pair is written only when both its strings differ from the defaults.
void write_substitution_section(SheetWriter& writer, const SheetSource& source) {
    writer.begin_section("\r\n\r\nData Substitution Settings");
    for (int k = 1; k <= kSubstitutions; ++k) {
        const KeyString replaced = source.record.string_to_be_replaced(k);
        const KeyString by = source.record.replaced_by(k);
        if (!key_strings_differ(replaced, source.snapshot.string_to_be_replaced(k)) ||
            !key_strings_differ(by, source.snapshot.replaced_by(k))) {
            continue;
        }
        const unsigned code = static_cast<unsigned>(388 + 2 * k);
        std::string entry = "\r\n";
        entry +=
            setup_token(code, numbered_caption("(%d) String Replaced", static_cast<unsigned>(k)));
        writer.write(entry + key_string_tokens(replaced, source.interface_class) +
                     setup_token(code + 1, "Replaced By") +
                     key_string_tokens(by, source.interface_class));
    }
}

void write_data_editing_section(SheetWriter& writer, const SheetSource& source) {
    write_section(writer, source, {"\r\n\r\nData Editing Settings\r\n", kDataEditingRows});
}

}  // namespace tessmar
