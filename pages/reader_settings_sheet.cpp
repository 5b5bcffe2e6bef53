#include "pages/reader_settings_sheet.h"

#include <commctrl.h>

#include <array>

#include "pages/page_support.h"
#include "pages/scanner_page.h"
#include "summary/summary_tree_view.h"

namespace tessmar {
namespace {

// The pages in tab order; each takes its tab text from its template's caption.
constexpr PageTemplate kPages[] = {
    {"SCANNER_DLG", ScannerPageProc},
};

}  // namespace

void open_reader_settings(AppContext& app) {
    std::array<HPROPSHEETPAGE, std::size(kPages)> pages{};
    std::size_t created = 0;
    for (const PageTemplate& page : kPages) {
        PROPSHEETPAGEA sheet_page{};
        sheet_page.dwSize = sizeof sheet_page;
        sheet_page.hInstance = app.instance;
        sheet_page.pszTemplate = page.name;
        sheet_page.pfnDlgProc = page.procedure;
        sheet_page.lParam = reinterpret_cast<LPARAM>(&app);
        if (HPROPSHEETPAGE handle = CreatePropertySheetPageA(&sheet_page)) {
            pages[created++] = handle;
        }
    }

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOAPPLYNOW | PSH_USEICONID;
    header.hwndParent = app.main_window;
    header.hInstance = app.instance;
    header.pszIcon = "TESSM";
    header.pszCaption = "Reader Settings";
    header.nPages = static_cast<UINT>(created);
    header.nStartPage = 0;
    header.phpage = pages.data();
    if (created == std::size(kPages)) {
        PropertySheetA(&header);
    } else {
        for (std::size_t i = 0; i < created; ++i) {
            DestroyPropertySheetPage(pages[i]);
        }
    }
    // Whichever button closed the sheet, a Reset may have reached the record meanwhile.
    build_summary_tree(app);
}

}  // namespace tessmar
