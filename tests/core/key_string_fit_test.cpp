#include <gtest/gtest.h>

#include <vector>

#include "model/key_string_fit.h"

namespace tessmar {
namespace {

using I = InterfaceClass;

// What a switch of interface says, for the strings of a record: only strings that meant something
// and no longer do; a key that keeps its byte under another name says nothing.
TEST(KeyStringFit, ASwitchNamesTheStringsThatChangeMeaning) {
    const struct {
        const char* what;
        KeySlot slot;
        std::vector<std::uint8_t> bytes;
        I from, to;
        const char* said;
    } kCases[] = {
        {"a modifier read as a character",
         KeySlot::prefix_code,
         {0xC1, 0x41},
         I::keyboard_wedge,
         I::rs232,
         "Prefix Code: [Shift][A] becomes [0xC1][A]\n"},
        {"scan codes read as characters",
         KeySlot::code_id_code_128,
         {0xC0, 0x1C},
         I::keyboard_wedge,
         I::wand_emulation,
         "Code ID Code 128: [1C] becomes [0xC0][FS]\n"},
        {"a character no key gives",
         KeySlot::pdf417_prefix_code,
         {0x1E},
         I::rs232,
         I::keyboard_wedge,
         "PDF 417 Prefix Code: [RS] becomes [0x1E]\n"},
        {"a new name for the same byte",
         KeySlot::suffix_code,
         {0x0D},
         I::keyboard_wedge,
         I::rs232,
         ""},
        {"a string that meant nothing before",
         KeySlot::prefix_code,
         {0xC1, 0x41},
         I::rs232,
         I::keyboard_wedge,
         ""},
    };
    for (const auto& c : kCases) {
        SettingsRecord record;
        std::copy(c.bytes.begin(), c.bytes.end(), record.key_string(c.slot).begin());
        EXPECT_EQ(describe_changes(key_strings_losing_meaning(record, c.from, c.to)), c.said)
            << c.what;
    }
}

}  // namespace
}  // namespace tessmar
