#include "pages/reader_settings_sheet.h"

#include "pages/page_sheet.h"
#include "pages/reader_pages.h"
#include "summary/summary_tree_view.h"

namespace tessmar {
namespace {

// The pages in tab order.
constexpr PageTemplate kPages[] = {
    {"SCANNER_DLG", &kScannerPage},     {"INTERFACE_DLG", &kInterfacePage},
    {"SYMBOLOGY_DLG", &kSymbologyPage}, {"LENGTHCODE_DLG", &kLengthCodePage},
    {"CODEID_DLG", &kCodeIdPage},       {"EDIT_DLG", &kEditPage},
};

}  // namespace

void open_reader_settings(const PageContext& context, HWND owner, HWND tree_view) {
    run_page_sheet(context, owner, "Reader Settings", kPages);
    // Whichever button closed the sheet, a Reset may have reached the record meanwhile.
    build_summary_tree(tree_view, *context.state);
}

}  // namespace tessmar
