#include "pages/ui/reader_settings_sheet.h"

#include "pages/ui/page_sheet.h"
#include "pages/ui/reader_pages.h"
#include "summary/ui/summary_tree_view.h"

namespace tessmar {
namespace {

// The pages in tab order.
constexpr PageTemplate kPages[] = {
    {"SCANNER_DLG", ScannerPageProc},     {"INTERFACE_DLG", InterfacePageProc},
    {"SYMBOLOGY_DLG", SymbologyPageProc}, {"LENGTHCODE_DLG", LengthCodePageProc},
    {"CODEID_DLG", CodeIdPageProc},       {"EDIT_DLG", EditPageProc},
};

}  // namespace

void open_reader_settings(const PageContext& context, HWND owner, HWND tree_view, int start_page,
                          const SettingRoute* route) {
    ProgramState& state = *context.state;
    const SettingsRecord before = state.record;
    PageLaunch launch{.context = context, .caption = "Reader Settings", .route = route};
    run_page_sheet(launch, owner, kPages, route ? page_index(kPages, route->page) : start_page);
    // Whichever button closed the sheet, a Reset, a parameter dialog or an editing format may
    // have written the record meanwhile: the document then holds changes to save.
    if (state.record != before) {
        state.settings_modified = true;
    }
    build_summary_tree(tree_view, state);
}

}  // namespace tessmar
