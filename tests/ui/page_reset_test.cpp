// Reset on a page whose key boxes and bits live in a staging block rather than the record.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "model/symbologies.h"
#include "pages/ui/editing_format_sheet.h"
#include "pages/ui/page_sheet.h"
#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/page_driver.h"

namespace tessmar::test {
namespace {

constexpr KeyBoxSpec kKeyBoxes[] = {{IDC_MATCHING_STRING, kMatchingStringOffset, false}};
constexpr BitBinding kBits[] = {{IDC_CODE_TYPE_FIRST, kCodeTypes[0].byte, kCodeTypes[0].bit}};

// "Clear All" serves as the page's Reset.
const PageDescription<> kPage = {
    .controls = {.key_boxes = kKeyBoxes, .bits = kBits},
    .reset_button = IDC_CODE_TYPE_CLEAR_ALL,
};

INT_PTR CALLBACK ResettablePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderPageProc<kPage>(page, message, wParam, lParam);
}

constexpr PageTemplate kPages[] = {{"APPLICABLE_DLG", ResettablePageProc}};

using PageReset = MainWindowTest;

TEST_F(PageReset, ResetOfAStagingBlockPageWritesTheBlockAndNotTheRecord) {
    load_factory_defaults(state);
    state.current_format = 2;
    EditFormatBytes& block = state.ef_staging[2];
    const EditFormatBytes factory_block = block;
    std::fill_n(block.begin() + kMatchingStringOffset, kKeyStringSize, std::uint8_t{'M'});
    block[kCodeTypes[0].byte] ^= static_cast<std::uint8_t>(1u << kCodeTypes[0].bit);
    std::fill_n(state.record.bytes.begin() + kMatchingStringOffset, kKeyStringSize,
                std::uint8_t{0x5A});
    const SettingsRecord record = state.record;

    ModalScript script;
    script.then([](HWND sheet) {
        click(current_page(sheet), IDC_CODE_TYPE_CLEAR_ALL);
        press_sheet_button(sheet, PSBTN_CANCEL);
    });
    PageLaunch launch{.context = {app.instance, &state},
                      .caption = "Reset",
                      .edited_bytes = staging_block_bytes,
                      .marks_modified = false};
    run_page_sheet(launch, window, kPages);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());

    EXPECT_EQ(state.record, record);
    EXPECT_EQ(block, factory_block);
}

}  // namespace
}  // namespace tessmar::test
