// Every possible slot content must render and spell within the slot and the label tables: random
// slots, drawn so that terminators, 0xC0 and modifier bytes turn up often, run under the
// sanitizers with each slot in an allocation of exactly eleven bytes.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>

#include "model/key_string.h"

namespace tessmar {
namespace {

constexpr int kSlotsPerInterface = 700000;  // 2.1 million slots in all

std::set<std::string, std::less<>> allowed_labels() {
    std::set<std::string, std::less<>> labels;
    for (unsigned code = 0; code < 256; ++code) {
        const auto byte = static_cast<std::uint8_t>(code);
        for (const std::string_view label : {character_label(byte), normal_key_label(byte)}) {
            if (!label.empty()) {
                labels.insert("[" + std::string(label) + "]");
            }
        }
        labels.insert("[" + scan_code_label(byte) + "]");
        char hex[8];
        std::snprintf(hex, sizeof hex, "[0x%02X]", code);
        labels.insert(hex);
    }
    for (unsigned flag = 0; flag < kModifierFlagCount; ++flag) {
        labels.insert(std::string(modifier_marker(flag)));
    }
    return labels;
}

std::set<std::string, std::less<>> allowed_items() {
    std::set<std::string, std::less<>> items = {
        "9930<Add Shift>",       "9931<Add Control (L)>",   "9932<Add Alternate (L)>",
        "9933<Add Control (R)>", "9934<Add Alternate (R)>", "9935<Add Break>",
        "9936<Scan Code>",
    };
    for (unsigned nibble = 0; nibble < 16; ++nibble) {
        char item[16];
        std::snprintf(item, sizeof item, "%u<0x0%X>", 9900 + nibble, nibble);
        items.insert(item);
    }
    return items;
}

std::uint8_t interesting_byte(std::mt19937& random) {
    static constexpr std::uint8_t kSpecial[] = {0x00, 0xC0, 0xC1, 0xC3, 0xFF, 0x0D,
                                                0x7F, 0x80, 0x8F, 0x90, 0x1E, 0x20};
    const unsigned pick = random() % 4;
    return pick == 0 ? kSpecial[random() % std::size(kSpecial)]
                     : static_cast<std::uint8_t>(random());
}

// Splits rendered text into its bracketed labels; anything outside brackets fails the test.
std::vector<std::string_view> split_labels(std::string_view text) {
    std::vector<std::string_view> labels;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] != '[') {
            ADD_FAILURE() << "text outside a label in " << text;
            break;
        }
        // A label may itself be "]" (the character 0x5D): take the shortest match of a known
        // label by looking for "]" from the second character after the bracket.
        const std::size_t close = text.find(']', at + 2);
        if (close == std::string_view::npos) {
            ADD_FAILURE() << "unclosed label in " << text;
            break;
        }
        labels.push_back(text.substr(at, close - at + 1));
        at = close + 1;
    }
    return labels;
}

TEST(KeyStringFuzz, RandomSlotsStayInsideTheSlotAndTheTables) {
    const auto labels = allowed_labels();
    const auto items_allowed = allowed_items();
    std::set<std::string, std::less<>> markers;
    for (unsigned flag = 0; flag < kModifierFlagCount; ++flag) {
        markers.insert(std::string(modifier_marker(flag)));
    }
    std::mt19937 random(20261207);
    for (const InterfaceClass interface_class :
         {InterfaceClass::keyboard_wedge, InterfaceClass::rs232, InterfaceClass::wand_emulation}) {
        for (int n = 0; n < kSlotsPerInterface; ++n) {
            auto storage = std::make_unique<std::uint8_t[]>(kKeyStringSize);
            for (std::size_t i = 0; i < kKeyStringSize; ++i) {
                storage[i] = interesting_byte(random);
            }
            const KeyString slot(storage.get(), kKeyStringSize);

            const KeyStringRendering r =
                render_key_string(slot, kKeyStringMaxBytes, interface_class);
            ASSERT_LE(r.length, kKeyStringMaxBytes);
            ASSERT_EQ(r.modifiers & ~0x3Fu, 0u);
            std::size_t code_labels = 0;
            for (const std::string_view label : split_labels(r.text)) {
                ASSERT_TRUE(labels.contains(label)) << label << " in " << r.text;
                code_labels += !markers.contains(label);
            }

            const std::vector<std::string> items = key_string_setup_items(slot, interface_class);
            ASSERT_FALSE(items.empty());
            ASSERT_EQ(items.back(), "9994<Validate>");
            std::size_t nibble_items = 0;
            for (std::size_t i = 0; i + 1 < items.size(); ++i) {
                ASSERT_TRUE(items_allowed.contains(items[i])) << items[i];
                nibble_items += items[i].find("<0x0") != std::string::npos;
            }
            // Rendering and spelling decode the same keys: two nibble items per shown code.
            ASSERT_EQ(nibble_items, 2 * code_labels) << r.text;
        }
    }
}

}  // namespace
}  // namespace tessmar
