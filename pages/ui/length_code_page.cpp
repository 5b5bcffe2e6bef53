// The Length Code page: one check box per symbology, in the order of the symbology table, on
// that symbology's length-code bit.
#include <windowsx.h>

#include <array>

#include "model/symbologies.h"
#include "pages/ui/reader_page.h"
#include "pages/ui/reader_pages.h"
#include "resources/resource.h"

namespace tessmar {
namespace {

constexpr std::array<FieldBinding, kSymbologyCount> kFields = [] {
    std::array<FieldBinding, kSymbologyCount> fields{};
    for (int i = 0; i < kSymbologyCount; ++i) {
        fields[static_cast<std::size_t>(i)] =
            bind::check_box(IDC_LENGTH_CODE_FIRST + i, kSymbologies[i].length_code);
    }
    return fields;
}();

// "Select All" and "Clear All" change the boxes only; the record changes on OK.
bool command(HWND page, PageState<>&, int id, UINT code) {
    if ((id != IDC_LENGTH_CODE_SELECT_ALL && id != IDC_LENGTH_CODE_CLEAR_ALL) ||
        code != BN_CLICKED) {
        return false;
    }
    const int check = id == IDC_LENGTH_CODE_SELECT_ALL ? BST_CHECKED : BST_UNCHECKED;
    for (const FieldBinding& field : kFields) {
        Button_SetCheck(GetDlgItem(page, field.control), check);
    }
    return true;
}

const PageDescription<> kDescription = {
    .controls = {.fields = kFields},
    .reset_button = IDC_LENGTH_CODE_RESET,
    .command = command,
};

}  // namespace

INT_PTR CALLBACK LengthCodePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderPageProc<kDescription>(page, message, wParam, lParam);
}

}  // namespace tessmar
