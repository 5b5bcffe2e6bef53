// Every possible slot content must render and spell within the slot and the label tables: random
// slots, drawn so that terminators, 0xC0 and modifier bytes turn up often, run under the
// sanitizers with each slot in an allocation of exactly eleven bytes.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "tests/core/key_string_properties.h"

namespace tessmar {
namespace {

constexpr int kSlotsPerInterface = 700000;  // 2.1 million slots in all

std::uint8_t interesting_byte(std::mt19937& random) {
    static constexpr std::uint8_t kSpecial[] = {0x00, 0xC0, 0xC1, 0xC3, 0xFF, 0x0D,
                                                0x7F, 0x80, 0x8F, 0x90, 0x1E, 0x20};
    const unsigned pick = random() % 4;
    return pick == 0 ? kSpecial[random() % std::size(kSpecial)]
                     : static_cast<std::uint8_t>(random());
}

TEST(KeyStringFuzz, RandomSlotsStayInsideTheSlotAndTheTables) {
    const test::KeyStringVocabulary vocabulary;
    std::mt19937 random(20261207);
    for (const InterfaceClass interface_class :
         {InterfaceClass::keyboard_wedge, InterfaceClass::rs232, InterfaceClass::wand_emulation}) {
        for (int n = 0; n < kSlotsPerInterface; ++n) {
            auto storage = std::make_unique<std::uint8_t[]>(kKeyStringSize);
            for (std::size_t i = 0; i < kKeyStringSize; ++i) {
                storage[i] = interesting_byte(random);
            }
            const KeyString slot(storage.get(), kKeyStringSize);
            ASSERT_EQ(test::key_string_violation(slot, interface_class, vocabulary), "");
        }
    }
}

}  // namespace
}  // namespace tessmar
