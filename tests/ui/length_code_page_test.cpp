#include <windows.h>
#include <commctrl.h>

#include "model/symbologies.h"
#include "resources/resource.h"
#include "summary/summary_tree.h"
#include "tests/ui/support/page_driver.h"
#include "tests/ui/support/sheet_page_fixture.h"
#include "tests/ui/support/tree_view_reader.h"

namespace tessmar::test {
namespace {

constexpr int kLengthCodeTab = 3;

class LengthCodePage : public SheetPageTest {
  protected:
    LengthCodePage() : SheetPageTest(kLengthCodeTab) {}

    std::array<std::uint8_t, 3> switches() const {
        return {state.record.bytes[227], state.record.bytes[228], state.record.bytes[229]};
    }
};

TEST_F(LengthCodePage, SelectAllThenOkSetsEverySwitchAndKeepsTheUnusedBits) {
    state.record.bytes[229] = 0xA4;
    run_page([](HWND page) { click(page, IDC_LENGTH_CODE_SELECT_ALL); });
    EXPECT_EQ(switches(), (std::array<std::uint8_t, 3>{0xFF, 0xFF, 0xA5}));
    EXPECT_TRUE(state.settings_modified);
}

TEST_F(LengthCodePage, SelectAllOrClearAllThenCancelChangesNothing) {
    state.record.bytes[227] = 0x0F;
    for (const int button : {IDC_LENGTH_CODE_SELECT_ALL, IDC_LENGTH_CODE_CLEAR_ALL}) {
        const SettingsRecord before = state.record;
        run_page([&](HWND page) { click(page, button); }, PSBTN_CANCEL);
        EXPECT_EQ(state.record, before);
        EXPECT_FALSE(state.settings_modified);
    }
}

// The boxes follow the symbology order, their bits another: each box sets its own bit alone.
TEST_F(LengthCodePage, EachBoxSetsItsOwnBitOnly) {
    struct Bit {
        std::size_t byte;
        int bit;
    };
    // Boxes 101 to 117 in order, as the page lists them.
    constexpr Bit kBits[] = {{227, 0}, {227, 1}, {227, 2}, {227, 3}, {227, 4}, {227, 5},
                             {227, 6}, {227, 7}, {228, 0}, {228, 7}, {228, 1}, {228, 2},
                             {228, 3}, {228, 6}, {228, 4}, {228, 5}, {229, 0}};
    static_assert(std::size(kBits) == kSymbologyCount);
    for (int i = 0; i < kSymbologyCount; ++i) {
        SCOPED_TRACE(kSymbologies[i].name);
        load_factory_defaults(state);
        run_page([&](HWND page) { click(page, IDC_LENGTH_CODE_FIRST + i); });
        std::array<std::uint8_t, 3> expected{};
        expected[kBits[i].byte - 227] = static_cast<std::uint8_t>(1u << kBits[i].bit);
        EXPECT_EQ(switches(), expected);
    }
}

TEST_F(LengthCodePage, ResetThenCancelClearsTheSwitchesButNotTheUnusedBits) {
    state.record.bytes[227] = 0x81;
    state.record.bytes[228] = 0x7E;
    state.record.bytes[229] = 0xFF;
    run_page([](HWND page) { click(page, IDC_LENGTH_CODE_RESET); }, PSBTN_CANCEL);
    EXPECT_EQ(switches(), (std::array<std::uint8_t, 3>{0x00, 0x00, 0xFE}));
    EXPECT_TRUE(state.settings_modified);  // the record changed, Cancel or not
}

TEST_F(LengthCodePage, ASwitchReachesTheTreeAndTheSheet) {
    run_page([](HWND page) { click(page, IDC_LENGTH_CODE_FIRST + 13); });  // "UPCA"
    const SummaryNode tree = read_tree_view(GetDlgItem(window, IDC_TREE_VIEW));
    const SummaryNode& length_code = tree.children.at(4);
    ASSERT_EQ(length_code.text, "Length Code");
    EXPECT_EQ(length_code.children.at(13).text, "UPCA : Enable");
    EXPECT_NE(setup_sheet_text(state).find("0289<Enable UPCA>"), std::string::npos);
}

}  // namespace
}  // namespace tessmar::test
