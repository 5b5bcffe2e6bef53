#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "model/code_id_presets.h"
#include "model/symbologies.h"
#include "resources/resource.h"
#include "summary/summary_tree.h"
#include "tests/ui/support/key_grid_driver.h"
#include "tests/ui/support/page_driver.h"
#include "tests/ui/support/sheet_page_fixture.h"
#include "tests/ui/support/tree_view_reader.h"

namespace tessmar::test {
namespace {

constexpr int kCodeIdTab = 4;
constexpr int kEan8Entry = 10;

int set_button(int set) {
    return IDC_CODE_ID_SET_1 + set - 1;
}

class CodeIdPage : public SheetPageTest {
  protected:
    CodeIdPage() : SheetPageTest(kCodeIdTab) {}

    MutableKeyString code_id(int entry) { return state.record.key_string(code_id_slot(entry)); }

    // Long stale values in every entry, so that a preset must be written with its terminator.
    void fill_with_long_values() {
        for (int entry = 0; entry < kCodeIds; ++entry) {
            std::fill(code_id(entry).begin(), code_id(entry).end(), std::uint8_t{0x31});
            code_id(entry)[10] = 0;
        }
    }

    std::vector<std::string> boxes_text(HWND page) const {
        std::vector<std::string> texts;
        for (int entry = 0; entry < kCodeIds; ++entry) {
            texts.push_back(text_of(page, IDC_CODE_ID_FIRST + entry));
        }
        return texts;
    }
};

std::array<int, kCodeIds> every_origin(int set) {
    std::array<int, kCodeIds> origins;
    origins.fill(set);
    return origins;
}

std::vector<std::string> preset_texts(int set) {
    std::vector<std::string> texts;
    for (int entry = 0; entry < kCodeIds; ++entry) {
        texts.push_back(code_id_preset_text(set, entry));
    }
    return texts;
}

// Each set shows its presets and stores them, each in its entry's slot, with its terminator,
// whatever the slots held before; PDF 417 is emptied.
TEST_F(CodeIdPage, EachSetShowsAndStoresItsPresets) {
    for (int set = 1; set <= kCodeIdPresetSets; ++set) {
        SCOPED_TRACE(set);
        load_factory_defaults(state);
        fill_with_long_values();
        std::vector<std::string> shown;
        run_page([&](HWND page) {
            click(page, set_button(set));
            shown = boxes_text(page);
        });
        EXPECT_EQ(shown, preset_texts(set));
        for (int entry = 0; entry < kCodeIds; ++entry) {
            const std::string_view preset = code_id_preset(set, entry);
            const KeyString slot = code_id(entry);
            EXPECT_TRUE(std::equal(preset.begin(), preset.end(), slot.begin())) << entry;
            EXPECT_EQ(slot[preset.size()], 0) << entry;
        }
        EXPECT_EQ(state.code_id_set, set);
        EXPECT_EQ(state.code_id_origin, every_origin(set));
        EXPECT_TRUE(state.settings_modified);
    }
}

TEST_F(CodeIdPage, SetsLandInTheRecordsOwnOrder) {
    run_page([](HWND page) { click(page, set_button(4)); });
    EXPECT_EQ(state.record.bytes[340], 0x46);  // EAN 8: "FF"
    EXPECT_EQ(state.record.bytes[341], 0x46);
    EXPECT_EQ(state.record.bytes[342], 0x00);
    run_page([](HWND page) { click(page, set_button(1)); });
    EXPECT_EQ(state.record.bytes[384], 0x4D);  // UPCA "M", after MSI and Plessey
    EXPECT_EQ(state.record.bytes[362], 0x56);  // MSI "V"
    EXPECT_EQ(state.record.bytes[373], 0x57);  // Plessey "W"
}

TEST_F(CodeIdPage, ClearEmptiesEveryEntryAndTheSet) {
    run_page([](HWND page) { click(page, set_button(2)); });
    std::vector<std::string> shown;
    run_page([&](HWND page) {
        click(page, IDC_CODE_ID_CLEAR);
        shown = boxes_text(page);
    });
    EXPECT_EQ(shown, std::vector<std::string>(kCodeIds));
    for (int entry = 0; entry < kCodeIds; ++entry) {
        EXPECT_EQ(code_id(entry)[0], 0) << entry;
    }
    EXPECT_EQ(state.code_id_set, 0);
    EXPECT_EQ(state.code_id_origin, every_origin(0));
}

// "Set 2" then Cancel: the record and the chosen set stay, the origins are 2 at once, and the
// printed sheet still brings a scanner to the record, not to Set 2.
TEST_F(CodeIdPage, ASetThenCancelChangesOnlyTheOriginsAndTheSheetStillFitsTheRecord) {
    code_id(0)[0] = 0x51;  // Code 39 "Q", typed in without a set
    const SettingsRecord before = state.record;
    run_page([](HWND page) { click(page, set_button(2)); }, PSBTN_CANCEL);
    EXPECT_EQ(state.record, before);
    EXPECT_EQ(state.code_id_set, 0);
    EXPECT_EQ(state.code_id_origin, every_origin(2));
    EXPECT_FALSE(state.settings_modified);
    const std::string sheet = setup_sheet_text(state);
    EXPECT_NE(sheet.find("Code ID Settings\r\n0256<Code 39>9905<0x05>9901<0x01>9994<Validate>\r\n"),
              std::string::npos)
        << sheet;
    EXPECT_EQ(sheet.find("<Set 2>"), std::string::npos);
}

// "Set 3", then a new key for Code 39 from its grid, which starts from the box's value, then OK:
// the set stands for the other entries, and the tree and the sheet show the set and the one
// change.
TEST_F(CodeIdPage, AKeyEnteredAfterASetReachesTheTreeAndTheSheet) {
    std::string grid_start, shown;
    run_page(
        [&](HWND page) {
            click(page, set_button(3));
            click_at(GetDlgItem(page, IDC_CODE_ID_FIRST), {10, 5});
            shown = text_of(page, IDC_CODE_ID_FIRST);
        },
        PSBTN_OK,
        [&](ModalScript& script) {
            script.then([&](HWND grid) {
                grid_start = resulting_text(grid);
                click(grid, IDC_GRID_CLEAR);
                click_grid_cell(grid, KeyStringForm::normal_key, {4, 2});  // "B"
                press_button(grid, IDOK);
            });
        });
    EXPECT_EQ(grid_start, "[Y]");
    EXPECT_EQ(shown, "[B]");
    EXPECT_EQ(code_id(0)[0], 0x42);
    EXPECT_EQ(code_id(0)[1], 0x00);
    for (int entry = 1; entry < kCodeIds; ++entry) {
        EXPECT_EQ(key_string_text(code_id(entry), state.interface_class),
                  code_id_preset_text(3, entry));
    }
    EXPECT_EQ(state.code_id_set, 3);
    EXPECT_EQ(state.code_id_origin, every_origin(3));

    const SummaryNode tree = read_tree_view(GetDlgItem(window, IDC_TREE_VIEW));
    const SummaryNode& code_ids = tree.children.at(5);
    ASSERT_EQ(code_ids.text, "Code ID");
    EXPECT_EQ(code_ids.children.at(0).text, "Select Code ID Set 3");
    EXPECT_EQ(code_ids.children.at(1).text, "Code 39 : [B]");
    EXPECT_EQ(code_ids.children.at(1 + kEan8Entry).text, "EAN 8 : [B]");
    const std::string sheet = setup_sheet_text(state);
    EXPECT_NE(sheet.find("Code ID Settings\r\n9964<Set 3>0256<Code 39>9904<0x04>9902<0x02>"
                         "9994<Validate>\r\n"),
              std::string::npos)
        << sheet;
}

}  // namespace
}  // namespace tessmar::test
