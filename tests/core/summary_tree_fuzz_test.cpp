// Any 1562 bytes at all, from a damaged file or a garbled read-back, must build a tree that stays
// inside its tables (checked by the sanitizers and the views' bounds checks) and whose lines all
// fit the tree's line length.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "summary/summary_tree.h"

namespace tessmar {
namespace {

constexpr int kRecords = 4000;

const char* const kTopLevel[] = {"Information", "Scanner", "Interface",  "Symbology",
                                 "Length Code", "Code ID", "Edit Format"};

struct TreeCheck {
    std::size_t lines = 0;
    std::size_t longest = 0;
    std::size_t most_field_settings = 0;
};

void check_lines(const SummaryNode& node, TreeCheck& check) {
    std::size_t field_settings = 0;
    for (const SummaryNode& child : node.children) {
        ++check.lines;
        check.longest = std::max(check.longest, child.text.size());
        if (child.text.find('\0') != std::string::npos) {
            ADD_FAILURE() << "a NUL inside \"" << child.key << "\"";
        }
        field_settings += child.text.starts_with("Field ") && child.text.ends_with(" Setting");
        check_lines(child, check);
    }
    check.most_field_settings = std::max(check.most_field_settings, field_settings);
}

// Bytes drawn so that terminators, modifier bytes and values just past a list turn up often.
std::uint8_t random_byte(std::mt19937& random) {
    static constexpr std::uint8_t kSpecial[] = {0x00, 0x01, 0x02, 0x03, 0x05, 0x06,
                                                0x96, 0xC0, 0xC1, 0xFF, 0x7F, 0x80};
    return random() % 3 == 0 ? kSpecial[random() % std::size(kSpecial)]
                             : static_cast<std::uint8_t>(random());
}

TEST(SummaryTreeFuzz, AnyRecordBuildsATreeWithinItsTablesAndLineLength) {
    std::mt19937 random(31121962);
    std::size_t longest = 0;
    for (int n = 0; n < kRecords; ++n) {
        auto state = std::make_unique<ProgramState>();
        for (std::uint8_t& byte : state->record.bytes) {
            byte = random_byte(random);
        }
        state->code_id_set = static_cast<int>(random() % 9) - 2;
        state->interface_class = static_cast<InterfaceClass>(static_cast<int>(random() % 6) - 1);

        const SummaryNode root = build_summary(*state);
        ASSERT_EQ(root.children.size(), std::size(kTopLevel));
        for (std::size_t i = 0; i < std::size(kTopLevel); ++i) {
            ASSERT_EQ(root.children[i].text, kTopLevel[i]);
        }
        TreeCheck check;
        check_lines(root, check);
        ASSERT_LE(check.longest, kMaxSummaryLineChars);
        ASSERT_LE(check.most_field_settings, 5u);
        ASSERT_GT(check.lines, 300u);
        longest = std::max(longest, check.longest);
    }
    // The random key strings did reach the limit, so the cut was exercised.
    EXPECT_EQ(longest, kMaxSummaryLineChars);
}

}  // namespace
}  // namespace tessmar
