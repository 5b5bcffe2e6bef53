// "Applicable Conditions": the code types an editing format applies to, one check box per bit in
// the order of the code-type table, its length limits, and the string the data must hold.
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <string>

#include "model/symbologies.h"
#include "pages/editing_format_numbers.h"
#include "pages/ui/editing_format_pages.h"
#include "pages/ui/editing_format_sheet.h"
#include "pages/ui/reader_page.h"
#include "resources/resource.h"
#include "win32/dialog_controls.h"

namespace tessmar {
namespace {

// Bits 1 to 7 of block byte 3 have no box, so they keep what they hold.
constexpr std::array<BitBinding, kCodeTypeCount> kCodeTypeBoxes = [] {
    std::array<BitBinding, kCodeTypeCount> boxes{};
    for (int i = 0; i < kCodeTypeCount; ++i) {
        boxes[static_cast<std::size_t>(i)] = {IDC_CODE_TYPE_FIRST + i, kCodeTypes[i].byte,
                                              kCodeTypes[i].bit};
    }
    return boxes;
}();

constexpr KeyBoxSpec kKeyBoxes[] = {{IDC_MATCHING_STRING, kMatchingStringOffset, false}};

// The 16-bit numbers of the block, shown in decimal. They are not corrected while typed; a number
// above 65535 shows as 65535 once the box is left. OK stores what is there, or 0 for text that is
// no number.
struct BlockNumber {
    int control;
    unsigned (EditFormatBlock::*get)() const;
    void (EditFormatBlock::*set)(unsigned);
};
constexpr BlockNumber kNumbers[] = {
    {IDC_MINIMUM_LENGTH, &EditFormatBlock::minimum_length, &EditFormatBlock::set_minimum_length},
    {IDC_MAXIMUM_LENGTH, &EditFormatBlock::maximum_length, &EditFormatBlock::set_maximum_length},
    {IDC_MATCHING_STRING_LOCATION, &EditFormatBlock::matching_string_location,
     &EditFormatBlock::set_matching_string_location},
};

void fill(HWND page, PageState<>& state) {
    const EditFormatBlock block = staging_block(state.program());
    for (const BlockNumber& number : kNumbers) {
        SetDlgItemTextA(page, number.control, std::to_string((block.*number.get)()).c_str());
    }
}

bool is_block_number(int id) {
    return std::ranges::any_of(kNumbers,
                               [id](const BlockNumber& number) { return number.control == id; });
}

// "Select All" and "Clear All" change the boxes only; the block changes on OK.
bool command(HWND page, PageState<>&, int id, UINT code) {
    if (is_block_number(id) && code == EN_KILLFOCUS) {
        show_number_within(page, id, kMaxFormatNumber);
        return true;
    }
    if ((id != IDC_CODE_TYPE_SELECT_ALL && id != IDC_CODE_TYPE_CLEAR_ALL) || code != BN_CLICKED) {
        return false;
    }
    const int check = id == IDC_CODE_TYPE_SELECT_ALL ? BST_CHECKED : BST_UNCHECKED;
    for (const BitBinding& box : kCodeTypeBoxes) {
        CheckDlgButton(page, box.control, check);
    }
    return true;
}

void commit(HWND page, PageState<>& state) {
    EditFormatBlock block = staging_block(state.program());
    for (const BlockNumber& number : kNumbers) {
        (block.*number.set)(format_number_value(control_text(GetDlgItem(page, number.control))));
    }
}

const PageDescription<> kDescription = {
    .controls = {.key_boxes = kKeyBoxes, .bits = kCodeTypeBoxes},
    .fill = fill,
    .command = command,
    .commit = commit,
};

}  // namespace

INT_PTR CALLBACK ApplicableConditionsPageProc(HWND page, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    return ReaderPageProc<kDescription>(page, message, wParam, lParam);
}

}  // namespace tessmar
