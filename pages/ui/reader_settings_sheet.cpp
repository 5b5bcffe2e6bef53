#include "pages/ui/reader_settings_sheet.h"

#include "pages/ui/page_sheet.h"
#include "pages/ui/reader_pages.h"
#include "summary/ui/summary_tree_view.h"

namespace tessmar {
namespace {

constexpr PageSheet kSheet = {.caption = "Reader Settings"};

// The pages in tab order.
constexpr PageTemplate kPages[] = {
    {"SCANNER_DLG", ScannerPageProc},     {"INTERFACE_DLG", InterfacePageProc},
    {"SYMBOLOGY_DLG", SymbologyPageProc}, {"LENGTHCODE_DLG", LengthCodePageProc},
    {"CODEID_DLG", CodeIdPageProc},       {"EDIT_DLG", EditPageProc},
};

}  // namespace

void open_reader_settings(const PageContext& context, HWND owner, HWND tree_view) {
    run_page_sheet(context, owner, kSheet, kPages);
    // Whichever button closed the sheet, a Reset may have reached the record meanwhile.
    build_summary_tree(tree_view, *context.state);
}

}  // namespace tessmar
