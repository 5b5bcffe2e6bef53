#include "pages/reader_settings_sheet.h"

#include <commctrl.h>

#include <array>

#include "pages/reader_pages.h"
#include "summary/summary_tree_view.h"

namespace tessmar {
namespace {

struct PageTemplate {
    const char* name;
    const PageDescription* description;
};

// The pages in tab order; each takes its tab text from its template's caption.
constexpr PageTemplate kPages[] = {
    {"SCANNER_DLG", &kScannerPage},
    {"INTERFACE_DLG", &kInterfacePage},
    {"LENGTHCODE_DLG", &kLengthCodePage},
};

}  // namespace

void open_reader_settings(const PageContext& context, HWND owner, HWND tree_view) {
    std::array<PageLaunch, std::size(kPages)> launches{};
    std::array<HPROPSHEETPAGE, std::size(kPages)> pages{};
    std::size_t created = 0;
    for (std::size_t i = 0; i < std::size(kPages); ++i) {
        launches[i] = {context, kPages[i].description};
        PROPSHEETPAGEA sheet_page{};
        sheet_page.dwSize = sizeof sheet_page;
        sheet_page.hInstance = context.instance;
        sheet_page.pszTemplate = kPages[i].name;
        sheet_page.pfnDlgProc = ReaderPageProc;
        sheet_page.lParam = reinterpret_cast<LPARAM>(&launches[i]);
        if (HPROPSHEETPAGE handle = CreatePropertySheetPageA(&sheet_page)) {
            pages[created++] = handle;
        }
    }

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOAPPLYNOW | PSH_USEICONID;
    header.hwndParent = owner;
    header.hInstance = context.instance;
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
    build_summary_tree(tree_view, *context.state);
}

}  // namespace tessmar
