// The symbology table's rules that the Symbology and Code ID pages rely on.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/code_id_presets.h"
#include "model/key_string.h"
#include "model/program_state.h"
#include "model/symbologies.h"

namespace tessmar {
namespace {

// Every symbology's box, checked and unchecked, over a record with every option bit set and
// every PDF 417 string full: only the symbology's own enable bits or strings change.
TEST(Symbologies, AnEnableBoxWritesItsOwnBitsOnly) {
    SettingsRecord full;
    full.bytes.fill(0xFF);
    for (const SymbologyInfo& info : kSymbologies) {
        for (const bool checked : {false, true}) {
            SCOPED_TRACE(std::string(info.name) + (checked ? " checked" : " unchecked"));
            SettingsRecord record = full;
            SettingsRecord expected = full;
            if (!checked) {
                for (const Field field : info.enables) {
                    expected.set(field, 0);
                }
            }
            if (!checked && info.id == Symbology::pdf417) {
                // The first ten bytes of each string; the eleventh is never read.
                for (const KeySlot slot : kPdf417Strings) {
                    std::fill_n(expected.key_string(slot).begin(), 10, 0);
                }
            }
            write_symbology_enabled(record, info.id, checked);
            EXPECT_EQ(record, expected);
            EXPECT_EQ(symbology_enabled(record, info.id), checked);
        }
    }
}

// A UPC or EAN family ticked with no variant on reads plain codes ("No Addon"); one with a
// variant on keeps it alone (AnEnableBoxWritesItsOwnBitsOnly). PDF 417 is switched on only by a
// string in its dialog.
TEST(Symbologies, ACheckedDerivedBoxWithNothingOnTurnsOnNoAddon) {
    for (const SymbologyInfo& info : kSymbologies) {
        SettingsRecord record, expected;
        write_symbology_enabled(record, info.id, true);
        if (!info.enables.empty()) {
            expected.set(info.enables.front(), 1);
        }
        EXPECT_EQ(record, expected) << info.name;
    }
}

TEST(CodeIdPresets, ValuesArePlainCharactersThenTheTerminator) {
    EXPECT_EQ(code_id_preset_value(4, 10), (KeyStringBuffer{0x46, 0x46}));  // Set 4, EAN 8: "FF"
    EXPECT_EQ(code_id_preset_value(1, 12), (KeyStringBuffer{0x4D}));        // Set 1, UPCA: "M"
    for (int set = 1; set <= kCodeIdPresetSets; ++set) {
        EXPECT_EQ(code_id_preset_value(set, 15), KeyStringBuffer{});  // PDF 417 has none
        for (int entry = 0; entry < kCodeIds; ++entry) {
            // The value reads as the preset's text in both forms a code ID is shown in.
            const KeyStringBuffer value = code_id_preset_value(set, entry);
            EXPECT_EQ(key_string_text(value, InterfaceClass::rs232),
                      code_id_preset_text(set, entry));
            EXPECT_EQ(key_string_text(value, InterfaceClass::keyboard_wedge),
                      code_id_preset_text(set, entry));
        }
    }
}

}  // namespace
}  // namespace tessmar
