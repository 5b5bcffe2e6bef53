#include <gtest/gtest.h>

#include <algorithm>

#include "model/key_string.h"
#include "pages/editing_format_numbers.h"
#include "pages/transmission_sequence.h"

namespace tessmar {
namespace {

using Sequence = std::array<std::uint8_t, kTransmissionSequenceSize>;

TEST(FormatNumbers, AreTheNumberTypedUpTo65535) {
    const struct {
        const char* text;
        unsigned value;
    } kCases[] = {
        {"12", 12},       {"0", 0},         {"65535", 65535},
        {"65536", 65535}, {"70000", 65535}, {"123456789012345678901234567890", 65535},
        {"abc", 0},       {"", 0},          {"12a", 0},
        {" 5", 0},        {"-1", 0},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(format_number_value(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(FormatNumbers, NumberOfFieldsIsTakenUpTo6AndEnablesTheButtonsOfAllButTheLastField) {
    const struct {
        const char* text;
        std::optional<unsigned> stored;
        int buttons;
    } kCases[] = {
        {"1", 0u, 0},
        {"3", 2u, 2},
        {"6", 5u, 5},
        {"9", 5u, 5},
        {"0", std::nullopt, 0},
        {"", std::nullopt, 0},
        {"two", std::nullopt, 0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(number_of_fields_minus_1(c.text), c.stored);
        EXPECT_EQ(enabled_field_buttons(c.text), c.buttons);
    }
}

TEST(TokenList, TakesFifteenTokensAndRefusesTheSixteenth) {
    TokenList list;
    for (unsigned i = 0; i < kMaxSequenceTokens; ++i) {
        ASSERT_EQ(add_token(list, 1 + i % 11), TokenOutcome::added) << i;
    }
    const TokenList full = list;
    EXPECT_EQ(add_token(list, 3), TokenOutcome::list_full);
    // A full list refuses even what is no token, as the page's message says.
    EXPECT_EQ(add_token(list, 12), TokenOutcome::list_full);
    EXPECT_EQ(list.bytes, full.bytes);
    EXPECT_EQ(list.count, kMaxSequenceTokens);
    EXPECT_EQ(render_transmission_sequence(list.bytes),
              "[F1][F2][F3][F4][F5][F6][A1][A2][A3][A4][A5][F1][F2][F3][F4]");
}

TEST(TokenList, ValuesThatNameNoFieldAreNotAdded) {
    TokenList list;
    for (const unsigned value : {0u, 12u, 15u, 16u, 200u}) {
        EXPECT_EQ(add_token(list, value), TokenOutcome::not_a_token) << value;
    }
    EXPECT_EQ(list.count, 0u);
    EXPECT_EQ(list.bytes, Sequence{});
}

TEST(TokenList, OpensStoredSequencesOneTokenPerByte) {
    const struct {
        Sequence stored;
        Sequence opened;
        int refused;
    } kCases[] = {
        {Sequence{0x12, 0x07}, Sequence{1, 2, 7}, 0},
        {Sequence{0x27, 0x03, 0x10}, Sequence{2, 7, 3, 1}, 0},
        {Sequence{0x0B}, Sequence{11}, 0},
        // Nibbles and bytes that name no field add nothing.
        {Sequence{0xC1, 0x1C, 0x0D, 0x02}, Sequence{1, 1, 2}, 0},
        // Nothing after the first 0 belongs to the sequence.
        {Sequence{0x01, 0x00, 0x02}, Sequence{1}, 0},
        // Seven packed bytes give fourteen tokens; of 0x34 only the 3 fits, silently; the two
        // single tokens after it are each refused.
        {Sequence{0x12, 0x12, 0x12, 0x12, 0x12, 0x12, 0x12, 0x34, 0x05, 0x06},
         Sequence{1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 3}, 2},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(render_transmission_sequence(c.stored));
        const TokenListOpening opening = open_token_list(c.stored);
        EXPECT_EQ(opening.list.bytes, c.opened);
        EXPECT_EQ(opening.list.count, static_cast<std::size_t>(std::ranges::count_if(
                                          c.opened, [](std::uint8_t byte) { return byte != 0; })));
        EXPECT_EQ(opening.refused, c.refused);
    }
}

}  // namespace
}  // namespace tessmar
